// Reads the options and file names of the orbisk command.
#include "command_line.hpp"

#include <cstdlib>

#include "cli_texts.hpp"
#include "variable_file.hpp"
#include "variable_names.hpp"
#include "variable_types.hpp"

namespace orbisk {
namespace {

using Action = CommandLine::Action;

CommandLine UsageError(std::string text) {
  CommandLine line;
  line.action = Action::UsageError;
  line.usageError = std::move(text);
  return line;
}

struct ModeOption {
  const char* option;
  Action action;
};
constexpr ModeOption kModes[] = {
    {"--show", Action::Show},          {"--to-text", Action::ToText},
    {"--from-text", Action::FromText}, {"--check", Action::Check},
    {"--view", Action::View},          {"--new", Action::New},
    {"--repair", Action::Repair},      {"--characters", Action::ShowCharacters},
    {"--list", Action::List},          {"--extract", Action::Extract},
    {"--group", Action::MakeGroup},    {"--thumbnail", Action::Thumbnail}};

const char* OptionOf(Action mode) {
  for (const ModeOption& m : kModes) {
    if (m.action == mode) return m.option;
  }
  return "";
}

// Short options may be grouped, as in "-yV".
bool ReadShortOptions(const std::string& argument, CommandLine& line, bool& help, bool& version,
                      std::string& unknown) {
  for (std::size_t i = 1; i < argument.size(); ++i) {
    switch (argument[i]) {
      case 'y': line.assumeYes = true; break;
      case 'h': help = true; break;
      case 'V': version = true; break;
      default: unknown = "-" + argument.substr(i, 1); return false;
    }
  }
  return true;
}

// What --to takes: a model's name as users write it ("v200", "92p", "89"), the part its
// extensions start with ("v2", "9x"), or the extension of a file of any type for it.
bool ModelOfChoice(const std::string& word, Model& model) {
  struct Named {
    const char* word;
    Model model;
  };
  static constexpr Named kNames[] = {{"v200", Model::Voyager200},
                                     {"v2", Model::Voyager200},
                                     {"92p", Model::Ti92Plus},
                                     {"9x", Model::Ti92Plus},
                                     {"89", Model::Ti89}};
  const std::string lowered = LowercaseName(word);
  for (const Named& named : kNames) {
    if (lowered == named.word) {
      model = named.model;
      return true;
    }
  }
  return ModelOfAnyExtension(word, model);
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  bool help = false;
  bool version = false;
  bool optionsEnded = false;
  std::optional<Action> mode;
  bool nameGiven = false;
  const char* repairOption = nullptr;  // the last of --no-backup and --fix-signature given
  bool encodingGiven = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      line.names.push_back(argument);
      continue;
    }
    const std::size_t equals = argument.find('=');
    const std::string option = argument.substr(0, equals);
    // An option that takes a value: after "=", or the next argument.
    const auto value = [&](std::string& into) {
      if (equals != std::string::npos) {
        into = argument.substr(equals + 1);
        return true;
      }
      if (i + 1 >= arguments.size()) return false;
      into = arguments[++i];
      return true;
    };
    if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--yes") {
      line.assumeYes = true;
    } else if (argument == "--help") {
      help = true;
    } else if (argument == "--version") {
      version = true;
    } else if (argument == "--notify") {
      line.notify = true;
    } else if (argument == "--no-backup") {
      line.keepBackup = false;
      repairOption = "--no-backup";
    } else if (argument == "--fix-signature") {
      line.fixSignature = true;
      repairOption = "--fix-signature";
    } else if (option == "--encoding") {
      std::string encoding;
      if (!value(encoding)) return UsageError(texts::MissingValue("--encoding"));
      const std::string lowered = LowercaseName(encoding);
      if (lowered == "latin1" || lowered == "iso-8859-1") {
        line.encoding = TextEncoding::Latin1;
      } else if (lowered == "cp1252" || lowered == "windows-1252") {
        line.encoding = TextEncoding::Cp1252;
      } else if (lowered == "utf-8" || lowered == "utf8") {
        line.encoding = TextEncoding::Utf8;
      } else {
        return UsageError(texts::UnknownEncoding(encoding));
      }
      encodingGiven = true;
    } else if (option == "--to") {
      std::string model;
      if (!value(model)) return UsageError(texts::MissingValue("--to"));
      Model chosen = Model::Voyager200;
      if (!ModelOfChoice(model, chosen)) {
        return UsageError(texts::UnknownModel(model));
      }
      line.model = chosen;
    } else if (option == "--type") {
      std::string type;
      if (!value(type)) return UsageError(texts::MissingValue("--type"));
      const std::string lowered = LowercaseName(type);
      if (lowered == "prgm" || lowered == "programme" || lowered == "program") {
        line.type = types::kProgram;
      } else if (lowered == "func" || lowered == "fonction" || lowered == "function") {
        line.type = types::kFunction;
      } else if (lowered == "text" || lowered == "texte") {
        line.type = types::kText;
      } else {
        return UsageError(texts::UnknownType(type));
      }
    } else if (argument == "--ascii") {
      line.linkExport = true;
    } else if (option == "--group") {
      if (!value(line.groupTarget)) return UsageError(texts::MissingValue("--group"));
      Model model = Model::Voyager200;
      const std::string extension = line.groupTarget.substr(line.groupTarget.rfind('.') + 1);
      if (!ModelOfFileName(line.groupTarget, model) || LowercaseName(extension).back() != 'g') {
        return UsageError(texts::NotAGroupName(line.groupTarget));
      }
      if (mode && *mode != Action::MakeGroup) {
        return UsageError(texts::ConflictingOptions(OptionOf(*mode), "--group"));
      }
      mode = Action::MakeGroup;
    } else if (option == "--into") {
      std::string folder;
      if (!value(folder)) return UsageError(texts::MissingValue("--into"));
      line.into = folder;
    } else if (option == "--name") {
      std::string name;
      if (!value(name)) return UsageError(texts::MissingValue("--name"));
      line.variableName = LowercaseName(name);
      if (!ValidVariableName(line.variableName)) {
        return UsageError(texts::InvalidVariableName(name));
      }
      nameGiven = true;
    } else if (argument[1] == '-') {
      bool found = false;
      for (const ModeOption& m : kModes) {
        if (argument != m.option) continue;
        if (mode && *mode != m.action) {
          return UsageError(texts::ConflictingOptions(OptionOf(*mode), m.option));
        }
        mode = m.action;
        found = true;
      }
      if (!found) return UsageError(texts::UnknownOption(argument));
    } else {
      std::string unknown;
      if (!ReadShortOptions(argument, line, help, version, unknown)) {
        return UsageError(texts::UnknownOption(unknown));
      }
    }
  }
  if (help) {
    line.action = Action::ShowHelp;
    return line;
  }
  if (version) {
    line.action = Action::ShowVersion;
    return line;
  }
  if (nameGiven && mode != Action::FromText) {
    return UsageError(texts::OptionOnlyWith("--name", "--from-text"));
  }
  if (line.type && mode != Action::FromText) {
    return UsageError(texts::OptionOnlyWith("--type", "--from-text"));
  }
  if (line.linkExport && mode != Action::Show && mode != Action::ToText) {
    return UsageError(texts::OptionOnlyWith("--ascii", "--show", "--to-text"));
  }
  if (encodingGiven && mode != Action::FromText) {
    return UsageError(texts::OptionOnlyWith("--encoding", "--from-text"));
  }
  if (repairOption != nullptr && mode != Action::Repair) {
    return UsageError(texts::OptionOnlyWith(repairOption, "--repair"));
  }
  if (line.into && mode != Action::Extract) {
    return UsageError(texts::OptionOnlyWith("--into", "--extract"));
  }
  if (mode == Action::ShowCharacters) {
    if (!line.names.empty()) return UsageError(texts::NoFileWith("--characters"));
    line.action = *mode;
    return line;
  }
  if (mode == Action::New) {
    if (!line.names.empty()) return UsageError(texts::NoFileWith("--new"));
    line.action = *mode;
    return line;
  }
  if (line.model && mode && mode != Action::FromText && mode != Action::Extract) {
    return UsageError(texts::OptionNotWith("--to", OptionOf(*mode)));
  }
  if (mode == Action::Thumbnail) {
    // IN, OUT and a size a file manager asks for: at most a large icon's.
    char* end = nullptr;
    const long size = line.names.size() == 3 ? std::strtol(line.names[2].c_str(), &end, 10) : 0;
    if (line.names.size() != 3 || end == line.names[2].c_str() || *end != '\0' || size < 8 ||
        size > 2048) {
      return UsageError(texts::ThumbnailArguments());
    }
    line.thumbnailSize = static_cast<int>(size);
    line.action = *mode;
    return line;
  }
  // Started from the desktop with no file, the viewer's command opens the main window.
  if (mode == Action::View && line.names.empty()) return line;
  if (mode) {
    if (line.names.empty()) return UsageError(texts::NoFileFor(OptionOf(*mode)));
    line.action = *mode;
  } else if (!line.names.empty()) {
    line.action = Action::Convert;
  } else if (line.model) {
    return UsageError(texts::NoFileFor("--to"));
  }
  return line;
}

}  // namespace orbisk
