// Target names: a file name with its extension replaced.
#pragma once

#include <string>

namespace orbisk {

// The name with the Voyager 200 extension "v2t" in place of its own.
std::string ToV200Name(const std::string& path);
// The name with the TI92+ extension "9xt" in place of its own.
std::string ToTi92PlusName(const std::string& path);
// The name with `extension` (without its dot) in place of its own, by the same rule.
std::string WithExtension(const std::string& path, const std::string& extension);

// Where the file-name part of a path begins: just after its last "/".
std::size_t FileNameStart(const std::string& path);
// Whether the file-name part of a path holds a ".".
bool FileNameHasDot(const std::string& path);

}  // namespace orbisk
