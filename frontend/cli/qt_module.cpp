// Loads the Qt module at run time, only when a window or a message box must be shown.
#include "qt_module.hpp"

#include <dlfcn.h>
#include <unistd.h>

#include "cli_texts.hpp"
#include "program_folder.hpp"

namespace orbisk {
std::vector<std::string> QtModuleCandidates(const std::string& executableFolder) {
  // orbisk-link lives beside the module, and looks for it there too.
  return InstalledPieceCandidates(executableFolder, kQtModuleFileName, true);
}

const OrbiskQtModule* LoadQtModuleFrom(const std::string& path, std::string& error) {
  // Never closed: Qt does not support being unloaded while the process lives.
  void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    error = ::dlerror();
    return nullptr;
  }
  const auto entry = reinterpret_cast<OrbiskQtModuleEntry>(::dlsym(module, kQtModuleEntryName));
  const OrbiskQtModule* table = entry != nullptr ? entry() : nullptr;
  if (table == nullptr) {
    error = texts::MissingEntries(path);
    return nullptr;
  }
  if (table->interfaceVersion != kQtModuleInterfaceVersion) {
    error = texts::WrongInterfaceVersion(path, table->interfaceVersion, kQtModuleInterfaceVersion);
    return nullptr;
  }
  if (table->messageBoxes == nullptr || table->runWindow == nullptr ||
      table->runEditor == nullptr || table->notify == nullptr) {
    error = texts::MissingEntries(path);
    return nullptr;
  }
  return table;
}

const OrbiskQtModule* LoadQtModule(std::string& error) {
  const std::vector<std::string> candidates = QtModuleCandidates(ExecutableFolder());
  for (const std::string& path : candidates) {
    if (::access(path.c_str(), F_OK) == 0 || &path == &candidates.back()) {
      return LoadQtModuleFrom(path, error);
    }
  }
  return nullptr;
}

}  // namespace orbisk
