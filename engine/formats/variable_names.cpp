// The names of calculator variables.
#include "variable_names.hpp"

#include "target_names.hpp"

namespace orbisk {
namespace {

constexpr std::size_t kLongestName = 8;

bool Letter(char c) { return c >= 'a' && c <= 'z'; }
bool Digit(char c) { return c >= '0' && c <= '9'; }

// A letter first, then letters, digits or "_", whatever the length.
bool ValidCharacters(const std::string& name) {
  if (name.empty() || !Letter(name[0])) return false;
  for (const char c : name) {
    if (!Letter(c) && !Digit(c) && c != '_') return false;
  }
  return true;
}

}  // namespace

std::string LowercaseName(std::string name) {
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name;
}

std::string UppercaseName(std::string name) {
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return name;
}

bool ValidVariableName(const std::string& name) {
  return name.size() <= kLongestName && ValidCharacters(name);
}

std::string VariableNameFor(const std::string& path) {
  std::string name = path.substr(FileNameStart(path));
  name = LowercaseName(name.substr(0, name.find('.')));
  // Every character counts, even past the eighth: "Cours 12" is refused rather than
  // quietly becoming "cours 1".
  if (!ValidCharacters(name)) return {};
  if (name.size() > kLongestName) name.resize(kLongestName);
  return name;
}

}  // namespace orbisk
