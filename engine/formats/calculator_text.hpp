// The text of a calculator TEXT variable as a value: its lines, each with its kind and its
// codes, and the cursor. This is the one place where a text is split into lines.
//
// In the variable, lines are separated by the code 0x0D and each starts with a command
// code: 0x20 for an ordinary line, 'C' for a command line, 'P' for a PrintObj line, 0x0C for
// a page break, any other code for a line the calculator keeps as it is. A line may also
// have no command code at all (two 0x0D in a row).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orbisk {

enum class LineKind { Ordinary, Command, PrintObj, PageBreak, OtherCode, NoCode };

struct TextLine {
  LineKind kind = LineKind::Ordinary;
  unsigned char otherCode = 0;  // the command code of an OtherCode line
  std::string content;          // the codes after the command code

  // The line that starts with `code`.
  static TextLine WithCode(unsigned char code, std::string content);
  // The command code the line starts with; a NoCode line has none (0).
  unsigned char Code() const;
  bool operator==(const TextLine& other) const {
    return kind == other.kind && Code() == other.Code() && content == other.content;
  }
};

struct CalculatorText {
  std::vector<TextLine> lines{TextLine{}};  // never empty: an empty text is one empty line
  std::uint16_t cursor = 1;

  // Splits the codes of a text at each 0x0D.
  static CalculatorText FromCodes(const std::string& codes, std::uint16_t cursor = 1);
  // The same for a text whose lines have no command code, as a program's: every line is a
  // NoCode line.
  static CalculatorText FromPlainCodes(const std::string& codes, std::uint16_t cursor = 0);
  // The codes again, the lines joined by 0x0D.
  std::string Codes() const;
  // How many codes Codes() gives, without making them.
  std::size_t CodeCount() const;

  bool operator==(const CalculatorText& other) const {
    return cursor == other.cursor && lines == other.lines;
  }
};

// A TEXT variable's data: the cursor (two bytes, high first), the codes, then 00 and the
// tag E0.
constexpr unsigned char kTextTag = 0xE0;
constexpr std::size_t kTextOverhead = 4;
std::string TextVariableData(const CalculatorText& text);
// Reads a TEXT variable's data; false when it does not end with 00 E0 or is too short.
bool ReadTextVariableData(std::string_view data, CalculatorText& text);

}  // namespace orbisk
