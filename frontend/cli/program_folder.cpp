// The folder that holds the running program file.
#include "program_folder.hpp"

#include <unistd.h>

#include <climits>

namespace orbisk {

std::string ProgramFolder(const char* argv0) {
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  std::string program = length > 0 ? std::string(buffer, static_cast<std::size_t>(length))
                                   : std::string(argv0 ? argv0 : "");
  const std::size_t slash = program.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return program.substr(0, slash);
}

}  // namespace orbisk
