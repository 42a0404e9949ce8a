// The calculators' character set: every code has one character that reads back as it, and
// UTF-8 that is not valid is told apart from characters the calculators do not have.
#include "charset.hpp"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

using Kind = DecodedCharacter::Kind;

TEST(CharsetTest, EveryCodeReadsBackFromItsCharacter) {
  for (unsigned code = 0; code < 256; ++code) {
    SCOPED_TRACE(code);
    const std::string& character = CharacterOf(static_cast<unsigned char>(code));
    ASSERT_FALSE(character.empty());
    const DecodedCharacter decoded = DecodeCharacter(character, 0);
    EXPECT_EQ(decoded.length, character.size());
    if (code == 0x0D) {
      // The line separator has no character inside a line.
      EXPECT_EQ(decoded.kind, Kind::Unknown);
    } else {
      EXPECT_EQ(decoded.kind, Kind::Code);
      EXPECT_EQ(decoded.code, code);
    }
  }
}

TEST(CharsetTest, CharactersOfNoteAndControlPictures) {
  const std::pair<unsigned char, const char*> rows[] = {
      {0x09, "␉"}, {0x0A, "␊"}, {0x0C, "␌"}, {0x16, "→"}, {0x41, "A"}, {0x80, "α"},
      {0x8C, "π"}, {0x95, "𝖤"}, {0x9A, "x̅"}, {0x9C, "≤"}, {0x9D, "≠"}, {0x9E, "≥"},
      {0xA8, "√"}, {0xA9, "©"}, {0xAD, "−"}, {0xBD, "∫"}, {0xE9, "é"}, {0xFF, "ÿ"}};
  for (const auto& [code, character] : rows) EXPECT_EQ(CharacterOf(code), character) << +code;
}

TEST(CharsetTest, ReadsAliasesCombiningOverlinesAndRefusesBadUtf8) {
  struct Row {
    const char* name;
    std::string utf8;
    Kind kind;
    unsigned value;  // the code, the unknown character, or nothing for invalid
    std::size_t length;
  };
  const Row rows[] = {
      {"raw tab", "\t", Kind::Code, 0x09, 1},
      {"raw form feed", "\f", Kind::Code, 0x0C, 1},
      {"x with overline", "x\u0305", Kind::Code, 0x9A, 3},
      {"y with overline", "y\u0305z", Kind::Code, 0x9B, 3},
      {"x alone", "xy", Kind::Code, 'x', 1},
      {"overline alone", "\u0305", Kind::Unknown, 0x305, 2},
      {"snowman", "☃", Kind::Unknown, 0x2603, 3},
      {"line mark", "│", Kind::Unknown, 0x2502, 3},
      {"raw nul", std::string(1, '\0'), Kind::Unknown, 0, 1},
      {"lone continuation", "\x80", Kind::Invalid, 0, 1},
      {"overlong", "\xC0\x80", Kind::Invalid, 0, 1},
      {"surrogate", "\xED\xA0\x80", Kind::Invalid, 0, 1},
      {"past U+10FFFF", "\xF4\x90\x80\x80", Kind::Invalid, 0, 1},
      {"cut short", "\xE2\x82", Kind::Invalid, 0, 1},
      {"not a lead byte", "\xFF", Kind::Invalid, 0, 1},
      {"bad second byte", "\xC3\x28", Kind::Invalid, 0, 1},
      {"overlong in three bytes", "\xE0\x80\xAF", Kind::Invalid, 0, 1},
      {"overlong in four bytes", "\xF0\x80\x80\xAF", Kind::Invalid, 0, 1},
      {"lead past F4", "\xF5\x80\x80\x80", Kind::Invalid, 0, 1},
      {"four bytes, the exponent's E", "\U0001D5A4", Kind::Code, 0x95, 4},
      {"the miswritten imaginary i", "\U0002D48A", Kind::Code, 0x97, 4},
      {"last code point below the indexed ones", "\u2FFF", Kind::Unknown, 0x2FFF, 3},
      {"an ideograph", "\u4E2D", Kind::Unknown, 0x4E2D, 3},
      {"an arrow of the table, three bytes", "\u2B06", Kind::Code, 0x1B, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const DecodedCharacter decoded = DecodeCharacter(row.utf8, 0);
    EXPECT_EQ(decoded.kind, row.kind);
    EXPECT_EQ(decoded.length, row.length);
    if (row.kind == Kind::Code) {
      EXPECT_EQ(decoded.code, row.value);
    } else if (row.kind == Kind::Unknown) {
      EXPECT_EQ(decoded.unknown, row.value);
    }
  }
}

}  // namespace
}  // namespace orbisk
