// The command line's text modes, each over every named file in turn.
#include "text_commands.hpp"

#include "cli_texts.hpp"
#include "exit_status.hpp"
#include "messages.hpp"
#include "target_names.hpp"
#include "text_notation.hpp"
#include "variable_names.hpp"

namespace orbisk {

int ShowTexts(const std::vector<std::string>& names, TextTransfer& texts, std::ostream& out) {
  int status = kExitConverted;
  bool first = true;
  for (const std::string& name : names) {
    TextVariable variable;
    if (!texts.Read(name, variable)) {
      status = kExitNotConverted;
      continue;
    }
    if (names.size() > 1) out << (first ? "" : "\n") << texts::ShowTitle(name);
    first = false;
    out << TextToUtf8(variable.text) << std::flush;
  }
  return status;
}

int ExportTexts(const std::vector<std::string>& names, TextTransfer& texts,
                const Converted& exported) {
  int status = kExitConverted;
  for (const std::string& name : names) {
    const std::string target = WithExtension(name, "txt");
    if (!texts.Export(name, target)) {
      status = kExitNotConverted;
    } else if (exported) {
      exported(name, target);
    }
  }
  return status;
}

int ImportTexts(const std::vector<std::string>& names, std::optional<Model> model,
                const std::string& variable, TextTransfer& texts, Interaction& user,
                const Converted& imported) {
  const Model target = model.value_or(Model::Voyager200);
  int status = kExitConverted;
  for (const std::string& name : names) {
    const std::string chosen = variable.empty() ? VariableNameFor(name) : variable;
    if (chosen.empty()) {
      user.ReportFailure(texts::NoVariableNameFor(name));
      status = kExitNotConverted;
      continue;
    }
    const std::string made = WithExtension(name, ExtensionOf(target));
    if (!texts.Import(name, made, target, chosen)) {
      status = kExitNotConverted;
    } else if (imported) {
      imported(name, made);
    }
  }
  return status;
}

int CheckFiles(const std::vector<std::string>& names, TextTransfer& texts, std::ostream& out) {
  int status = kExitConverted;
  for (const std::string& name : names) {
    FileReport report;
    if (!texts.Check(name, report)) {
      status = kExitNotConverted;
      continue;
    }
    out << messages::CheckReport(name, report) << std::flush;
    if (!report.problems.empty()) status = kExitNotConverted;
  }
  return status;
}

}  // namespace orbisk
