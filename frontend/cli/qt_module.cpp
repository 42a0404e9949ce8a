// Loads the Qt module at run time, only when a window or a message box must be shown.
#include "qt_module.hpp"

#include <dlfcn.h>
#include <unistd.h>

#include "cli_texts.hpp"
#include "program_folder.hpp"

namespace orbisk {
namespace {

template <typename Entry>
Entry Find(void* module, const char* name) {
  return reinterpret_cast<Entry>(::dlsym(module, name));
}

}  // namespace

std::vector<std::string> QtModuleCandidates(const std::string& executableFolder) {
  std::vector<std::string> candidates;
  if (!executableFolder.empty() && executableFolder[0] == '/') {
    candidates.push_back(executableFolder + "/" + ORBISK_MODULE_FROM_BINDIR + "/" +
                         kQtModuleFileName);
  }
  candidates.push_back(std::string(ORBISK_MODULE_INSTALL_DIR) + "/" + kQtModuleFileName);
  return candidates;
}

bool LoadQtModuleFrom(const std::string& path, QtModuleEntries& entries, std::string& error) {
  // Never closed: Qt does not support being unloaded while the process lives.
  void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    error = ::dlerror();
    return false;
  }
  const auto version = Find<OrbiskInterfaceVersionEntry>(module, kInterfaceVersionEntryName);
  if (version == nullptr) {
    error = texts::MissingEntries(path);
    return false;
  }
  if (const int found = version(); found != kQtModuleInterfaceVersion) {
    error = texts::WrongInterfaceVersion(path, found, kQtModuleInterfaceVersion);
    return false;
  }
  entries.messageBoxes = Find<OrbiskMessageBoxesEntry>(module, kMessageBoxesEntryName);
  entries.runWindow = Find<OrbiskRunWindowEntry>(module, kRunWindowEntryName);
  entries.runViewer = Find<OrbiskRunViewerEntry>(module, kRunViewerEntryName);
  entries.notify = Find<OrbiskNotifyEntry>(module, kNotifyEntryName);
  if (entries.messageBoxes == nullptr || entries.runWindow == nullptr ||
      entries.runViewer == nullptr || entries.notify == nullptr) {
    error = texts::MissingEntries(path);
    return false;
  }
  return true;
}

bool LoadQtModule(QtModuleEntries& entries, std::string& error) {
  const std::vector<std::string> candidates = QtModuleCandidates(ExecutableFolder());
  for (const std::string& path : candidates) {
    if (::access(path.c_str(), F_OK) == 0 || &path == &candidates.back()) {
      return LoadQtModuleFrom(path, entries, error);
    }
  }
  return false;
}

}  // namespace orbisk
