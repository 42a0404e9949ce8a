// Loads the Qt module at run time, only when a window or a message box must be shown.
#pragma once

#include <string>

#include "qt/module_api.hpp"

namespace orbisk {

struct QtModuleEntries {
  OrbiskMessageBoxesEntry messageBoxes = nullptr;
  OrbiskRunWindowEntry runWindow = nullptr;
};

// Looks for the module at its place relative to the program's folder, the same in the
// build tree and once installed. Returns false with the reason in `error`.
bool LoadQtModule(const std::string& programFolder, QtModuleEntries& entries, std::string& error);

}  // namespace orbisk
