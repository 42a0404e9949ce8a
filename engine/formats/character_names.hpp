// What each of the calculators' 256 codes is called, in French.
#pragma once

#include <string>
#include <vector>

namespace orbisk {

// "lettre grecque thêta", "inférieur ou égal", "lettre minuscule e accent aigu", …
const std::string& CharacterName(unsigned char code);

// A code as a person looks it up: its Unicode code points ("U+03B8", or two for x̅ and y̅),
// what to write for it in a UTF-8 text, its name, and what else writes it.
struct CharacterEntry {
  unsigned char code = 0;
  std::string unicode;
  std::string written;  // empty for 0x0D, which only ends a line
  std::string name;
  std::string note;
};
std::vector<CharacterEntry> CharacterEntries();

}  // namespace orbisk
