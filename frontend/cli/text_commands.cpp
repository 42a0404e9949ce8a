// The command line's text modes, each over every named file in turn.
#include "text_commands.hpp"

#include "cli_texts.hpp"
#include "exit_status.hpp"
#include "group_commands.hpp"
#include "messages.hpp"
#include "target_names.hpp"
#include "variable_names.hpp"

namespace orbisk {

int ShowTexts(const std::vector<std::string>& names, TextFormat format, CommandRun& run) {
  int status = kExitConverted;
  bool first = true;
  for (const std::string& name : names) {
    Result<OpenedText> opened = run.engine.ReadText(name, ProgramLines::TextFormOnly);
    if (!opened && opened.error().kind == ErrorKind::IsAGroup) {
      status = WorseStatus(status, ShowGroupTexts(name, format, run, first));
      continue;
    }
    if (!opened) {
      run.user.Report(opened.error());
      status = kExitNotConverted;
      continue;
    }
    for (const Warning& warning : ReadingWarnings(*opened)) run.user.Warn(warning);
    if (!opened->damage.empty()) status = WorseStatus(status, kExitDamaged);
    if (names.size() > 1) run.out << (first ? "" : "\n") << texts::ShowTitle(name);
    first = false;
    const std::optional<Warning> unread =
        WriteOpenedText(*opened, format, [&run](std::string_view piece) {
          run.out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        });
    run.out << std::flush;
    if (unread) run.user.Warn(*unread);
  }
  return status;
}

int ExportTexts(const std::vector<std::string>& names, TextFormat format, CommandRun& run) {
  int status = kExitConverted;
  for (const std::string& name : names) {
    // The model plays no part in a text's name.
    const std::string target = TargetName(name, Model::Voyager200, Purpose::TextExport);
    const Result<std::vector<Problem>> damage =
        run.engine.ExportText(name, target, format, run.user, &run.written);
    if (!run.user.Report(damage)) {
      status = kExitNotConverted;
      continue;
    }
    if (!damage->empty()) status = WorseStatus(status, kExitDamaged);
    run.Done(name, target);
  }
  return status;
}

int ImportTexts(const std::vector<std::string>& names, std::optional<Model> model,
                const std::string& variable, const ImportOptions& options, CommandRun& run) {
  const Model target = model.value_or(Model::Voyager200);
  int status = kExitConverted;
  for (const std::string& name : names) {
    const std::string chosen = variable.empty() ? VariableNameFor(name) : variable;
    if (chosen.empty()) {
      run.user.messenger().ReportFailure(texts::NoVariableNameFor(name));
      status = kExitNotConverted;
      continue;
    }
    ImportOptions chosenOptions = options;
    chosenOptions.nameChosen = !variable.empty();
    chosenOptions.targetBeside = true;
    const Result<std::string> made =
        run.engine.ImportText(name, {}, target, chosen, chosenOptions, run.user, &run.written);
    if (!made) {
      run.user.Report(made.error());
      status = kExitNotConverted;
    } else {
      run.Done(name, *made);
    }
  }
  return status;
}

int RepairFiles(const std::vector<std::string>& names, const RepairOptions& options,
                CommandRun& run) {
  int status = kExitConverted;
  for (const std::string& name : names) {
    Result<Repaired> repaired = run.engine.Repair(name, options, run.user);
    if (!repaired) {
      run.user.Report(repaired.error());
      status = kExitNotConverted;
      continue;
    }
    run.out << messages::RepairReport(name, *repaired) << std::flush;
  }
  return status;
}

int CheckFiles(const std::vector<std::string>& names, CommandRun& run) {
  int status = kExitConverted;
  for (const std::string& name : names) {
    Result<CheckedFile> checked = run.engine.Check(name);
    if (!checked) {
      run.user.Report(checked.error());
      status = kExitNotConverted;
      continue;
    }
    run.out << messages::CheckReport(name, checked->report) << std::flush;
    if (!checked->report.problems.empty()) status = kExitNotConverted;
  }
  return status;
}

}  // namespace orbisk
