// Loads the Qt module at run time, only when a window or a message box must be shown.
#include "qt_module.hpp"

#include <dlfcn.h>

#include "cli_texts.hpp"

namespace orbisk {

bool LoadQtModule(const std::string& programFolder, QtModuleEntries& entries, std::string& error) {
  const std::string path =
      programFolder + "/" + ORBISK_MODULE_FROM_BINDIR + "/" + kQtModuleFileName;
  // Never closed: Qt does not support being unloaded while the process lives.
  void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    error = ::dlerror();
    return false;
  }
  entries.messageBoxes =
      reinterpret_cast<OrbiskMessageBoxesEntry>(::dlsym(module, kMessageBoxesEntryName));
  entries.runWindow = reinterpret_cast<OrbiskRunWindowEntry>(::dlsym(module, kRunWindowEntryName));
  if (entries.messageBoxes == nullptr || entries.runWindow == nullptr) {
    error = texts::MissingEntries(path);
    return false;
  }
  return true;
}

}  // namespace orbisk
