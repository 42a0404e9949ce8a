// The calculators' character set as a table known when compiling: each code's character,
// and the code of a character, for tables that are built before the program runs.
#pragma once

#include <cstddef>

namespace orbisk::charset {

// One code's character: one code point, or a letter and a combining overline.
struct Character {
  char32_t first;
  char32_t combining = 0;
};

constexpr char32_t kControlPictures = 0x2400;  // "␀" is U+2400, "␁" U+2401, …
constexpr char32_t kOverline = 0x0305;

// Codes 0x0E to 0x1F: marks, arrows and set symbols.
constexpr char32_t kSymbols[] = {0x2693, 0x2713, 0x25FE, 0x25C2, 0x25B8, 0x25B4,
                                 0x25BE, 0x2190, 0x2192, 0x2191, 0x2193, 0x25C0,
                                 0x25B6, 0x2B06, 0x222A, 0x2229, 0x2282, 0x2208};
// Codes 0x80 to 0x94: Greek letters.
constexpr char32_t kGreek[] = {0x03B1, 0x03B2, 0x0393, 0x03B3, 0x0394, 0x03B4, 0x03B5,
                               0x03B6, 0x03B8, 0x03BB, 0x03BE, 0x03A0, 0x03C0, 0x03C1,
                               0x03A3, 0x03C3, 0x03C4, 0x03C6, 0x03C8, 0x03A9, 0x03C9};
// Codes 0x95 to 0xA0: mathematical letters and signs; 0x9A and 0x9B are x̅ and y̅. 0x95,
// the exponent's E, and 0x97, the imaginary i, are U+1D5A4 𝖤 and U+1D48A 𝒊.
constexpr Character kMathematics[] = {{0x1D5A4}, {0x212F},         {0x1D48A},        {0x02B3},
                                      {0x22BA},  {'x', kOverline}, {'y', kOverline}, {0x2264},
                                      {0x2260},  {0x2265},         {0x2220},         {0x2026}};

constexpr Character CharacterFor(unsigned code) {
  if (code <= 0x0A || code == 0x0C || code == 0x0D) return {kControlPictures + code};
  if (code == 0x0B) return {0x2934};
  if (code < 0x20) return {kSymbols[code - 0x0E]};
  if (code < 0x7F) return {code};
  if (code == 0x7F) return {0x25C6};
  if (code < 0x95) return {kGreek[code - 0x80]};
  if (code <= 0xA0) return {kMathematics[code - 0x95].first, kMathematics[code - 0x95].combining};
  // The rest is Latin-1 but for a few mathematical signs.
  switch (code) {
    case 0xA8: return {0x221A};  // √
    case 0xAD: return {0x2212};  // −
    case 0xB8: return {0x207A};  // ⁺
    case 0xBC: return {0x2202};  // ∂
    case 0xBD: return {0x222B};  // ∫
    case 0xBE: return {0x221E};  // ∞
    default: return {code};
  }
}

// The code whose character is `c`, or -1 when the calculators have none: a search, for
// tables worked out when compiling (DecodeCharacter reads texts, aliases included).
constexpr int CodeOfCharacter(Character c) {
  for (unsigned code = 0; code < 256; ++code) {
    const Character found = CharacterFor(code);
    if (found.first == c.first && found.combining == c.combining) return static_cast<int>(code);
  }
  return -1;
}

// A code's character as UTF-8: one code point, or a letter and its overline, four bytes
// at most.
struct Utf8Bytes {
  unsigned char length = 0;
  char bytes[4] = {};
};

constexpr void AppendEncoded(Utf8Bytes& out, char32_t c) {
  const auto put = [&out](unsigned byte) { out.bytes[out.length++] = static_cast<char>(byte); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | c >> 6);
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | c >> 12);
    put(0x80 | (c >> 6 & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | c >> 18);
    put(0x80 | (c >> 12 & 0x3F));
    put(0x80 | (c >> 6 & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

constexpr Utf8Bytes Utf8Of(unsigned code) {
  const Character c = CharacterFor(code);
  Utf8Bytes utf8;
  AppendEncoded(utf8, c.first);
  if (c.combining != 0) AppendEncoded(utf8, c.combining);
  return utf8;
}

}  // namespace orbisk::charset
