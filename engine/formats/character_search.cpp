// Finding a calculator character by its name or its looks.
#include "character_search.hpp"

#include <algorithm>
#include <array>
#include <utility>

#include "character_names.hpp"
#include "charset.hpp"

namespace orbisk {
namespace {

// Latin-1's letters U+00C0 to U+00FF without their accents ('\0': no letter, kept).
constexpr char kUnaccented[] =
    "AAAAAAACEEEEIIIIDNOOOOO\0OUUUUYTs"
    "aaaaaaaceeeeiiiidnooooo\0ouuuuyty";

// English names and ASCII looks of the characters whose French name a person writing in
// English would not find, separated by "|".
struct Alias {
  unsigned char code;
  const char* words;
};
constexpr Alias kAliases[] = {
    {0x0B, "arrow right up"},
    {0x0E, "anchor"},
    {0x0F, "check mark|tick"},
    {0x10, "black square"},
    {0x11, "small triangle left"},
    {0x12, "small triangle right"},
    {0x13, "small triangle up"},
    {0x14, "small triangle down"},
    {0x15, "left arrow|<-"},
    {0x16, "right arrow|->|store"},
    {0x17, "up arrow"},
    {0x18, "down arrow"},
    {0x19, "left triangle"},
    {0x1A, "right triangle"},
    {0x1B, "thick up arrow"},
    {0x1C, "union"},
    {0x1D, "intersection"},
    {0x1E, "subset"},
    {0x1F, "element of|in"},
    {'!', "exclamation mark"},
    {'"', "double quote"},
    {'#', "hash|number sign"},
    {'%', "percent"},
    {'&', "ampersand|and"},
    {'\'', "apostrophe|single quote"},
    {'(', "left parenthesis"},
    {')', "right parenthesis"},
    {'*', "asterisk|star"},
    {',', "comma"},
    {'-', "hyphen|dash"},
    {'.', "period|full stop|dot"},
    {'/', "slash"},
    {':', "colon"},
    {';', "semicolon"},
    {'<', "less than"},
    {'=', "equals"},
    {'>', "greater than"},
    {'?', "question mark"},
    {'@', "at sign"},
    {'[', "left bracket"},
    {'\\', "backslash"},
    {']', "right bracket"},
    {'^', "caret|power"},
    {'_', "underscore"},
    {'`', "backtick|grave accent"},
    {'{', "left brace"},
    {'|', "vertical bar|pipe"},
    {'}', "right brace"},
    {'~', "tilde"},
    {0x7F, "black diamond"},
    {0x80, "alpha"},
    {0x81, "beta"},
    {0x82, "capital gamma"},
    {0x83, "gamma"},
    {0x84, "capital delta"},
    {0x85, "delta"},
    {0x86, "epsilon"},
    {0x87, "zeta"},
    {0x88, "theta"},
    {0x89, "lambda"},
    {0x8A, "xi"},
    {0x8B, "capital pi|product"},
    {0x8C, "pi"},
    {0x8D, "rho"},
    {0x8E, "capital sigma|sum"},
    {0x8F, "sigma"},
    {0x90, "tau"},
    {0x91, "phi"},
    {0x92, "psi"},
    {0x93, "capital omega|ohm"},
    {0x94, "omega"},
    {0x95, "exponent e|scientific notation"},
    {0x96, "euler e|natural log base"},
    {0x97, "imaginary i"},
    {0x98, "radian"},
    {0x99, "transpose"},
    {0x9A, "x bar|mean x"},
    {0x9B, "y bar|mean y"},
    {0x9C, "less or equal|<="},
    {0x9D, "not equal|!=|/=|<>"},
    {0x9E, "greater or equal|>="},
    {0x9F, "angle"},
    {0xA0, "ellipsis|..."},
    {0xA1, "inverted exclamation"},
    {0xA2, "cent"},
    {0xA3, "pound"},
    {0xA4, "currency"},
    {0xA5, "yen"},
    {0xA6, "broken bar"},
    {0xA7, "section"},
    {0xA8, "square root|sqrt|root"},
    {0xA9, "copyright|(c)"},
    {0xAA, "feminine ordinal"},
    {0xAB, "left guillemet|<<"},
    {0xAC, "not|negation"},
    {0xAD, "minus|negative"},
    {0xAE, "registered|(r)"},
    {0xAF, "macron"},
    {0xB0, "degree|deg"},
    {0xB1, "plus minus|+-|+/-"},
    {0xB2, "squared|^2"},
    {0xB3, "cubed|^3"},
    {0xB4, "acute accent"},
    {0xB5, "micro|mu"},
    {0xB6, "pilcrow|paragraph"},
    {0xB7, "middle dot"},
    {0xB8, "superscript plus"},
    {0xB9, "superscript one|^1"},
    {0xBA, "masculine ordinal"},
    {0xBB, "right guillemet|>>"},
    {0xBC, "partial derivative|d"},
    {0xBD, "integral|int"},
    {0xBE, "infinity|inf"},
    {0xBF, "inverted question"},
    {0xC6, "ae"},
    {0xD7, "times|multiplication|x"},
    {0xD8, "o slash"},
    {0xDF, "sharp s|ss"},
    {0xE6, "ae"},
    {0xF7, "divide|division|/"},
    {0xF8, "o slash"},
};

// The words a code is found by, folded: its name, its character, and its aliases.
const std::array<std::vector<std::string>, 256>& SearchWords() {
  static const std::array<std::vector<std::string>, 256> words = [] {
    std::array<std::vector<std::string>, 256> built;
    for (unsigned c = 0; c < 256; ++c) {
      const auto code = static_cast<unsigned char>(c);
      built[c].push_back(CharacterOf(code));
      built[c].push_back(FoldedForSearch(CharacterName(code)));
    }
    // The accented letters in English: "e acute", "capital c cedilla".
    const std::pair<const char*, const char*> accents[] = {
        {"accent grave", "grave"}, {"accent aigu", "acute"}, {"accent circonflexe", "circumflex"},
        {"tilde", "tilde"},        {"tréma", "diaeresis"},   {"tréma", "umlaut"},
        {"rond en chef", "ring"},  {"cédille", "cedilla"},   {"barré", "slash"}};
    for (unsigned c = 0xC0; c < 0x100; ++c) {
      const std::string& name = CharacterName(static_cast<unsigned char>(c));
      const bool capital = name.rfind("lettre majuscule ", 0) == 0;
      const std::size_t letter = name.find(' ', 8) + 1;
      if (letter == 0 || letter >= name.size()) continue;
      for (const auto& [french, english] : accents) {
        if (name.find(french) == std::string::npos) continue;
        built[c].push_back(
            FoldedForSearch((capital ? "capital " : "") + name.substr(letter, 1) + " " + english));
      }
    }
    for (const Alias& alias : kAliases) {
      std::string all = alias.words;
      for (std::size_t at = 0; at <= all.size();) {
        const std::size_t end = std::min(all.find('|', at), all.size());
        built[alias.code].push_back(FoldedForSearch(all.substr(at, end - at)));
        at = end + 1;
      }
    }
    return built;
  }();
  return words;
}

bool WordBoundary(const std::string& word, std::size_t at) {
  return at == 0 || at >= word.size() || word[at] == ' ' || word[at - 1] == ' ' ||
         word[at - 1] == '\'';
}

// How well `word` answers `query`: 4 the same, 3 one or more of its whole words, 2 the
// start of one of its words, 1 within, 0 not at all.
int MatchOf(const std::string& word, const std::string& query) {
  if (word == query) return 4;
  const std::size_t at = word.find(query);
  if (at == std::string::npos) return 0;
  if (!WordBoundary(word, at)) return 1;
  return WordBoundary(word, at + query.size()) ? 3 : 2;
}

}  // namespace

bool IsTextCharacter(unsigned char code) { return code != 0x00 && code != 0x0D; }

CharacterGroup GroupOfCharacter(unsigned char code) {
  if (code >= 0x80 && code <= 0x94) return CharacterGroup::Greek;
  if ((code >= 0x1C && code <= 0x1F) || (code >= 0x95 && code <= 0x9F) || code == 0xA8 ||
      code == 0xAC || code == 0xAD || (code >= 0xB0 && code <= 0xB3) || code == 0xB5 ||
      code == 0xB8 || code == 0xB9 || (code >= 0xBC && code <= 0xBE) || code == 0xD7 ||
      code == 0xF7) {
    return CharacterGroup::Mathematics;
  }
  if (code == 0x0B || (code >= 0x11 && code <= 0x1B)) return CharacterGroup::Arrows;
  if (code >= 0xC0) return CharacterGroup::AccentedLetters;
  const bool alphanumeric =
      (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
  if (code >= 0x0E && !alphanumeric) return CharacterGroup::Symbols;
  return CharacterGroup::Others;
}

std::string FoldedForSearch(const std::string& text) {
  std::string folded;
  for (std::size_t at = 0; at < text.size();) {
    char32_t point = 0;
    const std::size_t length = ReadCodePoint(text, at, point);
    if (length == 0) {
      folded += text[at++];
      continue;
    }
    at += length;
    if (point >= 'A' && point <= 'Z') point += 'a' - 'A';
    if (point >= 0xC0 && point <= 0xFF && kUnaccented[point - 0xC0] != '\0') {
      char letter = kUnaccented[point - 0xC0];
      if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter - 'A' + 'a');
      folded += letter;
      if (point == 0xC6 || point == 0xE6) folded += 'e';  // æ is "ae"
      continue;
    }
    if (point == 0x152 || point == 0x153) {
      folded += "oe";
      continue;
    }
    AppendCodePoint(folded, point);
  }
  return folded;
}

std::vector<unsigned char> FindCharacters(const std::string& query) {
  if (query.empty()) return {};
  const std::string folded = FoldedForSearch(query);
  struct Found {
    int match;
    std::size_t length;  // of the best-matching word
    unsigned char code;
  };
  std::vector<Found> found;
  const auto& words = SearchWords();
  for (unsigned c = 0; c < 256; ++c) {
    const auto code = static_cast<unsigned char>(c);
    if (!IsTextCharacter(code)) continue;
    // The character itself is found only as itself; its looks and names by any match.
    int best = words[c][0] == query ? 5 : 0;
    std::size_t shortest = std::string::npos;
    for (std::size_t i = 1; i < words[c].size(); ++i) {
      // A look made of signs ("<=") is found whole, never as part of a longer one.
      const std::string& word = words[c][i];
      const bool letters = !word.empty() && ((word[0] >= 'a' && word[0] <= 'z') ||
                                             static_cast<unsigned char>(word[0]) >= 0x80);
      const int match = letters ? MatchOf(word, folded) : (word == folded ? 4 : 0);
      if (match > best || (match == best && match > 0 && word.size() < shortest)) {
        shortest = word.size();
      }
      best = std::max(best, match);
    }
    if (best > 0) found.push_back({best, shortest, code});
  }
  // The best match first; among equals, the shortest name (π before Π), then small
  // letters before capitals, which texts hold more of.
  const auto small = [](unsigned char code) {
    return (code >= 'a' && code <= 'z') || code >= 0xE0;
  };
  std::stable_sort(found.begin(), found.end(), [&small](const Found& a, const Found& b) {
    if (a.match != b.match) return a.match > b.match;
    if (a.length != b.length) return a.length < b.length;
    return small(a.code) && !small(b.code);
  });
  std::vector<unsigned char> codes;
  for (const Found& one : found) codes.push_back(one.code);
  return codes;
}

}  // namespace orbisk
