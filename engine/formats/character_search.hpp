// Finding a calculator character as a person looks for it: by its French or English name,
// with or without accents ("thêta", "theta", "integrale"), or by what it looks like ("<=" for
// ≤, "->" for →); and the group a palette shows it in.
#pragma once

#include <string>
#include <vector>

namespace orbisk {

enum class CharacterGroup { Greek, Mathematics, Arrows, AccentedLetters, Symbols, Others };
constexpr CharacterGroup kCharacterGroups[] = {
    CharacterGroup::Greek,           CharacterGroup::Mathematics, CharacterGroup::Arrows,
    CharacterGroup::AccentedLetters, CharacterGroup::Symbols,     CharacterGroup::Others};

// Whether a code stands for a character a text can hold: all but 00, which ends a text, and
// 0D, which ends a line.
bool IsTextCharacter(unsigned char code);
CharacterGroup GroupOfCharacter(unsigned char code);

// The codes whose names or looks match `query`, best first: the character itself or an exact
// look ("<="), then names that start with the query, then names that hold it. Case and
// accents do not matter. Nothing for an empty query.
std::vector<unsigned char> FindCharacters(const std::string& query);

// `text` (UTF-8) in lower case without accents, as names are compared.
std::string FoldedForSearch(const std::string& text);

}  // namespace orbisk
