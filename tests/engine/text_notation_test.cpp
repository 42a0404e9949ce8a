// A calculator text as UTF-8 and back: the notation of its lines, line ends, characters
// the calculators do not have, bad UTF-8, and nothing lost either way.
#include "text_notation.hpp"

#include <gtest/gtest.h>

#include <random>

namespace orbisk {
namespace {

CalculatorText Text(const std::string& codes) { return CalculatorText::FromCodes(codes); }

struct Written {
  const char* name;
  std::string text;
  std::string utf8;
};

// How each kind of line reads, and that it reads back.
TEST(TextNotationTest, LinesReadAsDocumentedAndBack) {
  const Written rows[] = {
      {"one ordinary line", " Bonjour !", "Bonjour !\n"},
      {"lines of each kind", " a\rCDisp x\rPy\r\x0C", "a\nC│Disp x\nP│y\n␌│\n"},
      {"an empty ordinary line", " a\r \r b", "a\n\nb\n"},
      {"a line with no command code", " a\r\r b", "a\n│\nb\n"},
      {"no text at all", "", "│\n"},
      {"an ordinary line that ends the text empty", " a\r ", "a\n\n"},
      {"control codes inside a line", " \x01\x0A\x0C\t", "␁␊␌␉\n"},
      {"another command code", "\x16x", "→│x\n"},
      {"a command code with a combining overline", "\x9Ax", "x̅│x\n"},
      {"calculator characters", " \x8C\x9C\xA8\xBD\xE9\x16", "π≤√∫é→\n"},
  };
  for (const Written& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(TextToUtf8(Text(row.text)), row.utf8);
    const TextImport back = TextFromUtf8(row.utf8);
    EXPECT_TRUE(back.valid);
    EXPECT_TRUE(back.unknown.empty());
    EXPECT_EQ(back.text.Codes(), row.text);
  }
}

TEST(TextNotationTest, ReadsEveryLineEndAndOneFinalLineEndAddsNoLine) {
  const Written rows[] = {
      {"LF", " a\r b", "a\nb"},
      {"CRLF", " a\r b", "a\r\nb\r\n"},
      {"CR", " a\r b", "a\rb\r"},
      {"mixed", " a\r b\r c", "a\r\nb\rc\n"},
      {"final LF", " a", "a\n"},
      {"two final LF", " a\r ", "a\n\n"},
      {"empty file", " ", ""},
      {"raw tab", " \t", "\t"},
      // A byte order mark, as Windows editors write first, is no text.
      {"byte order mark", " a\r b",
       "\xEF\xBB\xBF"
       "a\nb\n"},
      {"mark alone", " ", "\xEF\xBB\xBF"},
      {"mark not first", " ?", "\xEF\xBB\xBF\xEF\xBB\xBF"},
  };
  for (const Written& row : rows) {
    SCOPED_TRACE(row.name);
    const TextImport read = TextFromUtf8(row.utf8);
    EXPECT_TRUE(read.valid);
    EXPECT_EQ(read.text.Codes(), row.text);
  }
}

TEST(TextNotationTest, UnknownCharactersBecomeQuestionMarksToldOnceWhereFirstSeen) {
  const TextImport read = TextFromUtf8("ab☃\nC│☃€x\n│y\n");
  ASSERT_TRUE(read.valid);
  EXPECT_EQ(read.text.Codes(), " ab?\rC??x\r ?y");
  ASSERT_EQ(read.unknown.size(), 3u);
  EXPECT_EQ(read.unknown[0].character, U'☃');
  EXPECT_EQ(read.unknown[0].line, 1u);
  EXPECT_EQ(read.unknown[0].column, 3u);
  EXPECT_EQ(read.unknown[1].character, U'€');
  EXPECT_EQ(read.unknown[1].line, 2u);
  EXPECT_EQ(read.unknown[1].column, 4u);
  // "│" means something only after a line's first character, or alone.
  EXPECT_EQ(read.unknown[2].character, U'│');
  EXPECT_EQ(read.unknown[2].line, 3u);
  EXPECT_EQ(read.unknown[2].column, 1u);
}

TEST(TextNotationTest, BadUtf8IsRefusedWithWhereItIs) {
  const std::pair<std::string, std::pair<std::size_t, std::size_t>> rows[] = {
      {"\xFF", {1, 1}},
      {"ab\ncé\xC3", {2, 3}},
      {"C│x\x80", {1, 4}},
      {"a\r\n\r\nθ\xE2\x82z", {3, 2}}};
  for (const auto& [utf8, where] : rows) {
    const TextImport read = TextFromUtf8(utf8);
    EXPECT_FALSE(read.valid);
    EXPECT_EQ(read.invalidLine, where.first);
    EXPECT_EQ(read.invalidColumn, where.second);
    EXPECT_EQ(read.text, CalculatorText{});
  }
}

// Export then import gives back every text, whatever its bytes; the cursor and terminator
// are not part of it.
TEST(TextNotationTest, EveryTextComesBackWhole) {
  std::string everyCode;
  for (unsigned code = 1; code < 256; ++code) {
    if (code != 0x0D) everyCode += static_cast<char>(code);
  }
  std::vector<std::string> texts = {" " + everyCode, "P" + everyCode, everyCode};
  for (unsigned code = 0; code < 256; ++code) {
    if (code != 0x0D) texts.push_back(std::string(1, static_cast<char>(code)) + "x\r");
  }
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 60);
  for (int i = 0; i < 2000; ++i) {
    std::string text(static_cast<std::size_t>(length(random)), ' ');
    for (char& c : text) c = static_cast<char>(byte(random));
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    const TextImport back = TextFromUtf8(TextToUtf8(Text(text)));
    ASSERT_TRUE(back.valid);
    ASSERT_TRUE(back.unknown.empty());
    ASSERT_EQ(back.text.Codes(), text);
  }
}

}  // namespace
}  // namespace orbisk
