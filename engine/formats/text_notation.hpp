// How a calculator text reads as UTF-8, and back.
//
// In UTF-8 each calculator line is one line of text ending in "\n". An ordinary line shows
// its content alone; any other line shows its command code's character, then "│" (U+2502,
// which the calculators do not have), then its content: "C│Disp x", "P│y", "␌│". A line with
// no command code at all is "│" alone.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "calculator_text.hpp"

namespace orbisk {

// How a text's lines read: a TEXT variable's with their command codes, or a program's,
// whose lines have none and read as they are.
enum class Notation { Text, Program };
// The notation of a variable of `type`.
Notation NotationOf(unsigned char type);

std::string TextToUtf8(const CalculatorText& text, Notation notation = Notation::Text);

struct TextImport {
  // A character the calculators do not have, written as "?": where it first appeared.
  struct Unknown {
    char32_t character;
    std::size_t line;
    std::size_t column;
  };
  CalculatorText text;
  std::vector<Unknown> unknown;  // each different character once, in order of appearance
  bool valid = true;             // false when the input is not UTF-8: then `text` is empty
  std::size_t invalidLine = 0;   // where the first byte that is not UTF-8 is
  std::size_t invalidColumn = 0;
  // The first line that starts "C|" or "P|" with the keyboard's bar, which leaves it an
  // ordinary line (the mark is "│"): its number, and its first character; 0 for none.
  std::size_t barLine = 0;
  char barCode = 0;
};

// Lines may end in LF, CRLF or CR; one final line end does not add an empty line. Lines and
// columns count from 1, columns in characters. In the program notation every line is a
// line without command code, and "│" is a character like any other.
TextImport TextFromUtf8(const std::string& utf8, Notation notation = Notation::Text);

}  // namespace orbisk
