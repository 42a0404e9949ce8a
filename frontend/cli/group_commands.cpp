// The command line's group modes.
#include "group_commands.hpp"

#include <algorithm>

#include "cli_texts.hpp"
#include "exit_status.hpp"
#include "messages.hpp"
#include "target_names.hpp"
#include "variable_types.hpp"

namespace orbisk {

int ListGroups(const std::vector<std::string>& names, CommandRun& run) {
  int status = kExitConverted;
  bool first = true;
  for (const std::string& name : names) {
    const Result<OpenedGroup> group = run.engine.ReadGroup(name);
    if (!group) {
      run.user.Report(group.error());
      status = kExitNotConverted;
      continue;
    }
    if (names.size() > 1) run.out << (first ? "" : "\n") << texts::ShowTitle(name);
    first = false;
    const std::vector<VariableEntry>& entries = group->file.entries;
    if (!group->file.IsGroup() && entries[0].type == types::kBackup) {
      run.out << messages::BackupSummary(group->model, entries[0]) << "\n";
      continue;
    }
    std::string lines;
    for (const VariableEntry& entry : entries) lines += messages::ListLine(entry);
    run.out << lines << std::flush;
  }
  return status;
}

int ShowGroupTexts(const std::string& name, TextFormat format, CommandRun& run, bool& first) {
  const Result<OpenedGroup> group = run.engine.ReadGroup(name);
  if (!group) {
    run.user.Report(group.error());
    return kExitNotConverted;
  }
  bool shown = false;
  int status = kExitConverted;
  for (const VariableEntry& entry : group->file.entries) {
    const std::string variable = messages::VariablePath(entry.folder, entry.name);
    std::optional<TokenizedProgram> tokenized;
    const std::optional<TextVariable> text = TextOfVariable(entry, group->model, &tokenized);
    if (!text) {
      // Each variable left out is said, and the run ends as one that did not do it all.
      run.user.Report(Error::NoTextOfVariable(name, variable, entry.type));
      status = kExitNotConverted;
      continue;
    }
    if (tokenized) {
      if (std::optional<Warning> unread =
              UnreadTokensWarning(name + " : " + variable, *tokenized)) {
        run.user.Warn(*unread);
      }
    }
    run.out << (first ? "" : "\n") << texts::ShowTitle(name + " : " + variable)
            << WrittenText(*text, format) << std::flush;
    first = false;
    shown = true;
  }
  if (shown) return status;
  run.user.Report(Error::About(PathError::NoTextInGroup, name));
  return kExitNotConverted;
}

int ExtractGroups(const std::vector<std::string>& arguments, std::optional<Model> model,
                  const std::optional<std::string>& into, CommandRun& run) {
  // FOLDER\NAME picks the variables to extract, as tar -x takes members; the rest are groups.
  std::vector<std::string> names;
  std::vector<std::string> chosen;
  for (const std::string& argument : arguments) {
    (argument.find('\\') != std::string::npos ? chosen : names).push_back(argument);
  }
  std::vector<bool> found(chosen.size(), false);
  int status = kExitConverted;
  for (const std::string& name : names) {
    const Result<OpenedGroup> group = run.engine.ReadGroup(name);
    if (!group) {
      run.user.Report(group.error());
      status = kExitNotConverted;
      continue;
    }
    const Model target = model.value_or(group->model);
    const std::string folder = into.value_or(name.substr(0, FileNameStart(name)));
    const std::vector<std::string> targets = ExtractedNames(group->file, target, folder);
    for (std::size_t i = 0; i < targets.size(); ++i) {
      const VariableEntry& entry = group->file.entries[i];
      const auto picked =
          std::find(chosen.begin(), chosen.end(), messages::VariablePath(entry.folder, entry.name));
      if (!chosen.empty() && picked == chosen.end()) continue;
      if (picked != chosen.end()) found[static_cast<std::size_t>(picked - chosen.begin())] = true;
      if (!run.user.Report(
              run.engine.ExtractVariable(*group, i, target, targets[i], run.user, &run.written))) {
        status = kExitNotConverted;
      } else {
        run.Done(name, targets[i]);
      }
    }
  }
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    if (found[i]) continue;
    run.user.Report(Error::NoSuchVariable(names.size() == 1 ? names[0] : std::string(), chosen[i]));
    status = kExitNotConverted;
  }
  return status;
}

int MakeGroup(const std::string& target, const std::vector<std::string>& sources, CommandRun& run) {
  Model model = Model::Voyager200;
  ModelOfFileName(target, model);
  if (!run.user.Report(run.engine.MakeGroup(target, model, sources, run.user, &run.written))) {
    return kExitNotConverted;
  }
  run.Done(sources.front(), target);
  return kExitConverted;
}

}  // namespace orbisk
