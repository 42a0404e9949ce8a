// Target names: a file name with its extension replaced.
#include "target_names.hpp"

namespace orbisk {

// The extension starts after the first "." of the file-name part, so "notes.old.9xt"
// becomes "notes.v2t"; folder names are never cut. A name without a dot gains one, and
// only the empty name gives the bare extension.
std::string WithExtension(const std::string& path, const std::string& extension) {
  if (path.empty()) return extension;
  const std::size_t dot = path.find('.', FileNameStart(path));
  if (dot == std::string::npos) return path + '.' + extension;
  return path.substr(0, dot + 1) + extension;
}

std::size_t FileNameStart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

bool FileNameHasDot(const std::string& path) {
  return path.find('.', FileNameStart(path)) != std::string::npos;
}

std::string ToV200Name(const std::string& path) { return WithExtension(path, "v2t"); }

std::string ToTi92PlusName(const std::string& path) { return WithExtension(path, "9xt"); }

}  // namespace orbisk
