// Prints the table of the calculators' characters as the manual page shows it, one roff
// paragraph a code, from the same names --characters prints.
#include <cstdio>
#include <string>

#include "character_names.hpp"

namespace {

// Text as roff shows it literally.
std::string Roff(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '\\': out += "\\e"; break;
      case '-': out += "\\-"; break;
      case '"': out += "\\(dq"; break;
      case '\'': out += "\\(aq"; break;
      case '.': out += "\\&."; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

int main() {
  std::printf(".PD 0\n");
  for (const orbisk::CharacterEntry& entry : orbisk::CharacterEntries()) {
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", entry.code);
    const std::string written = entry.written.empty() ? "\\(em" : Roff(entry.written);
    std::printf(".TP 14\n.B \"%s  %s\"\n%s (%s)%s\n", code, written.c_str(),
                Roff(entry.name).c_str(), entry.unicode.c_str(),
                entry.note.empty() ? "" : ("\\~; " + Roff(entry.note)).c_str());
  }
  std::printf(".PD\n");
  return 0;
}
