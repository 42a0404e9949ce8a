// Loads the Qt module at run time, only when a window or a message box must be shown.
#pragma once

#include <string>
#include <vector>

#include "qt/module_api.hpp"

namespace orbisk {

// Where the module may be, in the order tried: beside the real executable (the build tree
// and the installed layout agree on the relative place), then the folder it is installed
// to. Every path is absolute: nothing is looked for relative to the current folder.
std::vector<std::string> QtModuleCandidates(const std::string& executableFolder);

// Loads the module at `path` and checks that it speaks this program's interface version.
// Returns its table, or null with the reason in `error`, having called nothing in a module
// that does not.
const OrbiskQtModule* LoadQtModuleFrom(const std::string& path, std::string& error);

// Loads the first candidate that exists (the last one when none does, for its error).
const OrbiskQtModule* LoadQtModule(std::string& error);

}  // namespace orbisk
