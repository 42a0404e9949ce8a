// The folder that holds the running program file.
#pragma once

#include <string>

namespace orbisk {

// Without a trailing "/", except for the root folder. `argv0` is the fallback when the
// system cannot tell.
std::string ProgramFolder(const char* argv0);

}  // namespace orbisk
