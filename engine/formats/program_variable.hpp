// Programs and functions (types 0x12 and 0x13) as these calculators keep them.
//
// Sent as text and not yet run, a program is kept in text form: its text (lines separated
// by 0x0D, with no command code, the first holding its arguments: "()", "(x,y)"), 00, the
// editor's cursor (two bytes, high first), then what closes it: 19 (Prgm) or 17 (Func), E4,
// E5, three flags (the last with 0x08 set: to be parsed when first run), and DC.
//
// Once run, it is tokenized: E9, its statements (the first of them the instruction Prgm or
// Func, 19 E4 or 17 E4, but for a function that is one expression), E5, its arguments, an
// in-use counter, two flags (the last with 0x08 clear) and DC. Its text is read back by the
// detokenizer (detokenizer.hpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculator_text.hpp"
#include "detokenizer.hpp"
#include "variable_file.hpp"

namespace orbisk {

enum class ProgramKind { Program, Function };

namespace program_tags {
constexpr unsigned char kProgram = 0x19;   // Prgm
constexpr unsigned char kFunction = 0x17;  // Func
constexpr unsigned char kCommand = 0xE4;
constexpr unsigned char kEnd = 0xE5;
constexpr unsigned char kUserDefined = 0xDC;
constexpr unsigned char kEndOfSegment = 0xE9;
constexpr unsigned char kToParse = 0x08;  // in the last flag
}  // namespace program_tags

// What follows a program's text in text form: 00, the cursor, the tags and flags.
constexpr std::size_t kProgramOverhead = 10;

ProgramKind ProgramKindOfType(unsigned char type);
unsigned char TypeOfProgramKind(ProgramKind kind);

// A tokenized program as far as it can be read without its tokens.
struct TokenizedProgram {
  ProgramKind kind = ProgramKind::Program;
  std::size_t size = 0;  // the variable's bytes
  // Each argument's name in calculator codes; nothing when they could not be read.
  std::optional<std::vector<std::string>> arguments;
  // When its text was read: the tags it holds that could not be, and whether its data
  // ended before its statements did.
  std::vector<DetokenizedProgram::Unknown> unknown;
  bool cutShort = false;
  // Its text was left to be read from its tokens when it is written out (DetokenizeToUtf8).
  bool textLater = false;
};

struct ProgramReading {
  // Its lines, without codes: as kept in text form, or read back from its tokens.
  std::optional<CalculatorText> text;
  std::optional<TokenizedProgram> tokenized;  // tokenized
  std::uint8_t lock = 0;                      // the flag kept as it is (bit 0: locked)
  std::vector<Problem> problems;              // neither form, or a form with faults
};

// Which programs ReadProgramData makes the lines of: every one, those kept in text form
// (a tokenized one's text is then left for later), or none (programs are only checked).
enum class ProgramLines { Every, TextFormOnly, None };

// Reads the data of a variable of type `type` (0x12 or 0x13).
ProgramReading ReadProgramData(unsigned char type, std::string_view data,
                               ProgramLines lines = ProgramLines::Every);

// A program's data in text form, to be parsed when first run.
std::string ProgramVariableData(ProgramKind kind, const CalculatorText& text,
                                std::uint8_t lock = 0);

// The data of a variable of `type` holding `text`: a TEXT variable's, or a program's or a
// function's in text form.
std::string VariableDataOfText(unsigned char type, const CalculatorText& text);
// How many bytes that data takes, without making it: the text's codes and the overhead of
// the type (a text's cursor and terminator; a program's closing tags too).
std::size_t VariableSizeOfText(unsigned char type, const CalculatorText& text);
std::size_t VariableOverhead(unsigned char type);

// The type a text's first lines give it: a program's or a function's when the first is its
// arguments in parentheses and the second Prgm or Func, as programs written out as text
// read; none otherwise.
std::optional<unsigned char> ProgramTypeOfText(std::string_view text);

}  // namespace orbisk
