// Runs a program in a child process and collects its exit status and output.
#pragma once

#include <string>
#include <vector>

namespace orbisk::testing {

struct Invocation {
  std::string program;
  std::vector<std::string> arguments;
  std::string folder = ".";  // the child's current directory
  std::vector<std::string> environment = {"LC_ALL=C", "TZ=UTC", "PATH=/usr/bin:/bin"};
  std::string input;  // standard input, a plain file (not a terminal)
  // With a terminal, standard input is a pseudo-terminal and `input` is typed on it.
  bool terminal = false;
};

struct Outcome {
  int status = -1;  // the exit status, or 128 + the signal that ended the child
  std::string out;
  std::string err;
};

Outcome RunProgram(const Invocation& invocation);

}  // namespace orbisk::testing
