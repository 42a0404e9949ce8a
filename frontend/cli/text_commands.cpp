// The command line's text modes, each over every named file in turn.
#include "text_commands.hpp"

#include "cli_texts.hpp"
#include "exit_status.hpp"
#include "group_commands.hpp"
#include "messages.hpp"
#include "target_names.hpp"
#include "variable_names.hpp"

namespace orbisk {

int ShowTexts(const std::vector<std::string>& names, TextFormat format, LocalEngine& engine,
              Conversation& user, std::ostream& out) {
  int status = kExitConverted;
  bool first = true;
  for (const std::string& name : names) {
    Result<OpenedText> opened = engine.ReadText(name);
    if (!opened && opened.error().kind == ErrorKind::IsAGroup) {
      status = WorseStatus(status, ShowGroupTexts(name, format, engine, user, out, first));
      continue;
    }
    if (!opened) {
      user.Report(opened.error());
      status = kExitNotConverted;
      continue;
    }
    for (const Warning& warning : ReadingWarnings(*opened)) user.Warn(warning);
    if (user.TakeDamageTold()) status = WorseStatus(status, kExitDamaged);
    if (names.size() > 1) out << (first ? "" : "\n") << texts::ShowTitle(name);
    first = false;
    out << WrittenText(opened->variable, format) << std::flush;
  }
  return status;
}

int ExportTexts(const std::vector<std::string>& names, TextFormat format, LocalEngine& engine,
                Conversation& user, const Converted& exported) {
  WrittenFiles written;
  int status = kExitConverted;
  for (const std::string& name : names) {
    // The model plays no part in a text's name.
    const std::string target = TargetName(name, Model::Voyager200, Purpose::TextExport);
    const bool done = user.Report(engine.ExportText(name, target, format, user, &written));
    if (user.TakeDamageTold()) status = WorseStatus(status, kExitDamaged);
    if (!done) {
      status = kExitNotConverted;
    } else if (exported) {
      exported(name, target);
    }
  }
  return status;
}

int ImportTexts(const std::vector<std::string>& names, std::optional<Model> model,
                const std::string& variable, const ImportOptions& options, LocalEngine& engine,
                Conversation& user, const Converted& imported) {
  const Model target = model.value_or(Model::Voyager200);
  WrittenFiles written;
  int status = kExitConverted;
  for (const std::string& name : names) {
    const std::string chosen = variable.empty() ? VariableNameFor(name) : variable;
    if (chosen.empty()) {
      user.messenger().ReportFailure(texts::NoVariableNameFor(name));
      status = kExitNotConverted;
      continue;
    }
    ImportOptions chosenOptions = options;
    chosenOptions.nameChosen = !variable.empty();
    chosenOptions.targetBeside = true;
    const Result<std::string> made =
        engine.ImportText(name, {}, target, chosen, chosenOptions, user, &written);
    if (!made) {
      user.Report(made.error());
      status = kExitNotConverted;
    } else if (imported) {
      imported(name, *made);
    }
  }
  return status;
}

int RepairFiles(const std::vector<std::string>& names, const RepairOptions& options,
                LocalEngine& engine, Conversation& user, std::ostream& out) {
  int status = kExitConverted;
  for (const std::string& name : names) {
    Result<Repaired> repaired = engine.Repair(name, options, user);
    if (!repaired) {
      user.Report(repaired.error());
      status = kExitNotConverted;
      continue;
    }
    out << messages::RepairReport(name, *repaired) << std::flush;
  }
  return status;
}

int CheckFiles(const std::vector<std::string>& names, LocalEngine& engine, Conversation& user,
               std::ostream& out) {
  int status = kExitConverted;
  for (const std::string& name : names) {
    Result<CheckedFile> checked = engine.Check(name);
    if (!checked) {
      user.Report(checked.error());
      status = kExitNotConverted;
      continue;
    }
    out << messages::CheckReport(name, checked->report) << std::flush;
    if (!checked->report.problems.empty()) status = kExitNotConverted;
  }
  return status;
}

}  // namespace orbisk
