// The calculator link lives in a program of its own, orbisk-link, on libraries whose licence
// the orbisk program does not take on: --send, --receive and --calc hand the whole command
// line over to it.
#pragma once

#include <string>
#include <vector>

namespace orbisk {

// Where orbisk-link may be, in the order tried: beside the Qt module of this build or
// installation, then where the package installs it.
std::vector<std::string> LinkProgramCandidates(const std::string& executableFolder);

// Replaces this process with orbisk-link, given the same arguments; returns only when it
// could not be started, with the exit status after saying why.
int RunLinkProgram(char** argv);

}  // namespace orbisk
