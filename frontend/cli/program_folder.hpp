// The folder that holds the running program file.
#pragma once

#include <string>

namespace orbisk {

// The folder of the real executable, as /proc/self/exe tells it, without a trailing "/"
// except for the root folder; empty when the system cannot tell.
std::string ExecutableFolder();

// The same, for looking up names given on the command line: when the system cannot tell,
// `argv0`'s folder serves.
std::string ProgramFolder(const char* argv0);

}  // namespace orbisk
