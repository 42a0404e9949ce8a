// Reads the options and file names of the orbisk command.
#include "command_line.hpp"

#include <algorithm>
#include <cstdlib>

#include "cli_texts.hpp"
#include "options.hpp"
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

// The reading of one command line: what it has found so far.
class Parser {
 public:
  // Applies `option` and its value; a usage error's text, or empty.
  std::string Apply(const OptionSpec& option, const std::string& value) {
    if (!Given(option.id)) given_.push_back(&option);
    if (option.isMode) {
      if (option.id == OptionId::Group) {
        Model model = Model::Voyager200;
        const std::string extension = value.substr(value.rfind('.') + 1);
        if (!ModelOfFileName(value, model) || LowercaseName(extension).back() != 'g') {
          return texts::NotAGroupName(value);
        }
        line_.groupTarget = value;
      }
      if (mode_ && *mode_ != option.mode) {
        return texts::ConflictingOptions(OptionFor(*mode_)->name, option.name);
      }
      mode_ = option.mode;
      return "";
    }
    const std::string lowered = LowercaseName(value);
    switch (option.id) {
      case OptionId::Yes: line_.assumeYes = true; break;
      case OptionId::Help: help_ = true; break;
      case OptionId::Version: version_ = true; break;
      case OptionId::Notify: line_.notify = true; break;
      case OptionId::Ascii: line_.linkExport = true; break;
      case OptionId::NoBackup: line_.keepBackup = false; break;
      case OptionId::FixSignature: line_.fixSignature = true; break;
      case OptionId::Into: line_.into = value; break;
      case OptionId::All: line_.all = true; break;
      case OptionId::Cable: line_.cable = lowered; break;
      case OptionId::Port:
        if (value.size() != 1 || value[0] < '1' || value[0] > '4') {
          return texts::UnknownPort(value);
        }
        line_.port = value[0] - '0';
        break;
      case OptionId::CalcModel: {
        static const char* const kCalculators[][2] = {
            {"89", "89"},     {"ti89", "89"},      {"ti-89", "89"},       {"89t", "89t"},
            {"ti89t", "89t"}, {"titanium", "89t"}, {"92p", "92p"},        {"ti92p", "92p"},
            {"92+", "92p"},   {"v200", "v200"},    {"voyager200", "v200"}};
        for (const auto& known : kCalculators) {
          if (lowered == known[0]) line_.calculatorModel = known[1];
        }
        if (line_.calculatorModel.empty()) return texts::UnknownCalculator(value);
        break;
      }
      case OptionId::To: {
        Model chosen = Model::Voyager200;
        if (!ModelOfChoice(value, chosen)) return texts::UnknownModel(value);
        line_.model = chosen;
        break;
      }
      case OptionId::Encoding:
        if (lowered == "latin1" || lowered == "iso-8859-1") {
          line_.encoding = TextEncoding::Latin1;
        } else if (lowered == "cp1252" || lowered == "windows-1252") {
          line_.encoding = TextEncoding::Cp1252;
        } else if (lowered == "utf-8" || lowered == "utf8") {
          line_.encoding = TextEncoding::Utf8;
        } else {
          return texts::UnknownEncoding(value);
        }
        break;
      case OptionId::Type:
        if (lowered == "prgm" || lowered == "programme" || lowered == "program") {
          line_.type = types::kProgram;
        } else if (lowered == "func" || lowered == "fonction" || lowered == "function") {
          line_.type = types::kFunction;
        } else if (lowered == "text" || lowered == "texte") {
          line_.type = types::kText;
        } else {
          return texts::UnknownType(value);
        }
        break;
      case OptionId::Name:
        line_.variableName = lowered;
        if (!ValidVariableName(lowered)) return texts::InvalidVariableName(value);
        break;
      default: break;
    }
    return "";
  }

  void AddName(const std::string& name) { line_.names.push_back(name); }

  // What the whole command line asks for, once every argument is read.
  CommandLine Finish() {
    if (help_) return WithAction(Action::ShowHelp);
    if (version_) return WithAction(Action::ShowVersion);
    // The first option given that does not go with the mode.
    for (const OptionSpec* option : given_) {
      const Action* const with = option->with;
      if (option->withCount == 0 || (mode_ && std::find(with, with + option->withCount, *mode_) !=
                                                  with + option->withCount)) {
        continue;
      }
      std::vector<std::string> modes;
      for (std::size_t i = 0; i < option->withCount; ++i) modes.push_back(OptionFor(with[i])->name);
      return UsageError(texts::OptionOnlyWith(option->name, modes));
    }
    if (mode_ == Action::ShowCharacters || mode_ == Action::New) {
      if (!line_.names.empty()) return UsageError(texts::NoFileWith(OptionFor(*mode_)->name));
      return WithAction(*mode_);
    }
    if (line_.model && mode_ && mode_ != Action::FromText && mode_ != Action::Extract) {
      return UsageError(texts::OptionNotWith("--to", OptionFor(*mode_)->name));
    }
    if (mode_ == Action::Thumbnail) return Thumbnail();
    // The calculator is listed whole, or all of it received: no name to give.
    if (mode_ == Action::ListCalculator || (mode_ == Action::Receive && line_.all)) {
      if (!line_.names.empty()) {
        return UsageError(texts::NoFileWith(mode_ == Action::Receive ? "--all" : "--calc"));
      }
      return WithAction(*mode_);
    }
    // Started from the desktop with no file, the editor's command opens it on a new text.
    if (mode_ == Action::View && line_.names.empty()) return WithAction(Action::New);
    if (mode_ == Action::Receive && line_.names.empty()) {
      return UsageError(texts::NoVariableFor("--receive"));
    }
    if (mode_) {
      if (line_.names.empty()) return UsageError(texts::NoFileFor(OptionFor(*mode_)->name));
      return WithAction(*mode_);
    }
    if (!line_.names.empty()) return WithAction(Action::Convert);
    if (line_.model) return UsageError(texts::NoFileFor("--to"));
    return line_;
  }

 private:
  bool Given(OptionId id) const {
    return std::any_of(given_.begin(), given_.end(),
                       [id](const OptionSpec* option) { return option->id == id; });
  }

  CommandLine WithAction(Action action) {
    line_.action = action;
    return line_;
  }

  // IN, OUT and a size a file manager asks for: at most a large icon's.
  CommandLine Thumbnail() {
    const std::vector<std::string>& names = line_.names;
    char* end = nullptr;
    const long size = names.size() == 3 ? std::strtol(names[2].c_str(), &end, 10) : 0;
    if (names.size() != 3 || end == names[2].c_str() || *end != '\0' || size < 8 || size > 2048) {
      return UsageError(texts::ThumbnailArguments());
    }
    line_.thumbnailSize = static_cast<int>(size);
    return WithAction(Action::Thumbnail);
  }

  CommandLine line_;
  std::optional<Action> mode_;
  std::vector<const OptionSpec*> given_;  // in the order given, each once
  bool help_ = false;
  bool version_ = false;
};

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  Parser parser;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      parser.AddName(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument[1] != '-') {
      // Letters may be grouped, as in "-yV".
      for (std::size_t letter = 1; letter < argument.size(); ++letter) {
        const OptionSpec* option = FindLetter(argument[letter]);
        if (option == nullptr)
          return UsageError(texts::UnknownOption("-" + argument.substr(letter, 1)));
        parser.Apply(*option, "");
      }
      continue;
    }
    // A value goes after "=" or in the next argument ("--to 89t", "--to=89t").
    const std::size_t equals = argument.find('=');
    const OptionSpec* option = FindOption(argument.substr(0, equals));
    if (option == nullptr || (!option->takesValue && equals != std::string::npos)) {
      return UsageError(texts::UnknownOption(argument));
    }
    std::string value;
    if (option->takesValue) {
      if (equals != std::string::npos) {
        value = argument.substr(equals + 1);
      } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
      } else {
        return UsageError(texts::MissingValue(option->name));
      }
    }
    if (std::string error = parser.Apply(*option, value); !error.empty()) {
      return UsageError(std::move(error));
    }
  }
  return parser.Finish();
}

}  // namespace orbisk
