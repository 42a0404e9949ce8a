// The folder that holds the running program file.
#include "program_folder.hpp"

#include <unistd.h>

#include <climits>

namespace orbisk {
namespace {

std::string FolderOf(const std::string& program) {
  const std::size_t slash = program.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return program.substr(0, slash);
}

}  // namespace

std::string ExecutableFolder() {
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) return {};
  return FolderOf(std::string(buffer, static_cast<std::size_t>(length)));
}

std::string ProgramFolder(const char* argv0) {
  const std::string real = ExecutableFolder();
  if (!real.empty()) return real;
  return FolderOf(argv0 != nullptr ? argv0 : "");
}

std::vector<std::string> InstalledPieceCandidates(const std::string& executableFolder,
                                                  const std::string& fileName, bool besideToo) {
  std::vector<std::string> candidates;
  if (!executableFolder.empty() && executableFolder[0] == '/') {
    candidates.push_back(executableFolder + "/" + ORBISK_MODULE_FROM_BINDIR + "/" + fileName);
    if (besideToo) candidates.push_back(executableFolder + "/" + fileName);
  }
  candidates.push_back(std::string(ORBISK_MODULE_INSTALL_DIR) + "/" + fileName);
  return candidates;
}

}  // namespace orbisk
