// Reads the options and file names of the orbisk command.
#include "command_line.hpp"

#include "cli_texts.hpp"

namespace orbisk {
namespace {

using Action = CommandLine::Action;

CommandLine UsageError(std::string text) {
  CommandLine line;
  line.action = Action::UsageError;
  line.usageError = std::move(text);
  return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  bool help = false;
  bool version = false;
  bool optionsEnded = false;
  for (const std::string& argument : arguments) {
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      line.names.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--yes") {
      line.assumeYes = true;
    } else if (argument == "--help") {
      help = true;
    } else if (argument == "--version") {
      version = true;
    } else if (argument[1] == '-') {
      return UsageError(texts::UnknownOption(argument));
    } else {
      // Short options may be grouped, as in "-yV".
      for (std::size_t i = 1; i < argument.size(); ++i) {
        switch (argument[i]) {
          case 'y':
            line.assumeYes = true;
            break;
          case 'h':
            help = true;
            break;
          case 'V':
            version = true;
            break;
          default:
            return UsageError(texts::UnknownOption("-" + argument.substr(i, 1)));
        }
      }
    }
  }
  if (help) {
    line.action = Action::ShowHelp;
  } else if (version) {
    line.action = Action::ShowVersion;
  } else if (!line.names.empty()) {
    line.action = Action::Convert;
  }
  return line;
}

}  // namespace orbisk
