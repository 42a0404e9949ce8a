// Reads the options and file names of the orbisk command.
#pragma once

#include <string>
#include <vector>

namespace orbisk {

struct CommandLine {
  enum class Action { OpenWindow, Convert, ShowHelp, ShowVersion, UsageError };

  Action action = Action::OpenWindow;
  bool assumeYes = false;
  std::vector<std::string> names;
  std::string usageError;  // set when action is UsageError
};

// `arguments` excludes the program's own name. Options may come before, between or after
// the names; "--" makes everything after it a name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace orbisk
