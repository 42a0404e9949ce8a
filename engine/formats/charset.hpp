// The calculators' own 256-code character set, to and from UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orbisk {

// The UTF-8 text of one calculator code. Codes without a visible character of their own
// (0x00 to 0x0A, 0x0C, 0x0D) have Unicode's Control Picture for them ("␀" to "␊", "␌",
// "␍"), so that nothing invisible, and no line end, ever comes out of a calculator text.
const std::string& CharacterOf(unsigned char code);

// Appends the UTF-8 text of each code in `codes`. It needs room for four bytes a code: a
// caller appending many strings to one reserves that much once.
void AppendUtf8(std::string& out, const std::string& codes);
// The most bytes of UTF-8 a code is written as.
constexpr std::size_t kLongestUtf8 = 4;

// Writes the UTF-8 text of lines joined by 0x0D at `to`, each 0x0D as a line end, and
// gives where it ends: `to` needs room for kLongestUtf8 bytes a code.
char* WriteUtf8Lines(char* to, std::string_view codes);

// Reads one code point of UTF-8 at `at` (not at the end of `s`), refusing overlong forms,
// surrogates and values past U+10FFFF. Returns its length, or 0 when the bytes at `at` are
// not valid UTF-8.
std::size_t ReadCodePoint(const std::string& s, std::size_t at, char32_t& c);

// Appends one Unicode code point as UTF-8.
void AppendCodePoint(std::string& out, char32_t c);

// One character of UTF-8 text read as a calculator code.
struct DecodedCharacter {
  enum class Kind { Code, Unknown, Invalid };
  Kind kind = Kind::Code;
  unsigned char code = 0;  // for Code
  char32_t unknown = 0;    // for Unknown: the character the calculators do not have
  std::size_t length = 0;  // bytes of UTF-8 read (for Invalid: the first bad byte, 1)
};

// Reads the character that starts at `at` in `utf8` (which must not be at its end). Besides
// the table's own characters, what other converters write is read too: the raw control
// characters U+0001 to U+0009 and U+000C, and U+2D5A4 and U+2D48A for 𝖤 and 𝒊.
DecodedCharacter DecodeCharacter(const std::string& utf8, std::size_t at);

}  // namespace orbisk
