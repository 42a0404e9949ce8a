// Programs and functions (types 0x12 and 0x13) as these calculators keep them.
//
// Sent as text and not yet run, a program is kept in text form: its text (lines separated
// by 0x0D, with no command code, the first holding its arguments: "()", "(x,y)"), 00, the
// editor's cursor (two bytes, high first), then what closes it: 19 (Prgm) or 17 (Func), E4,
// E5, three flags (the last with 0x08 set: to be parsed when first run), and DC.
//
// Once run, it is tokenized: E9, its statements, 19 or 17, E5, its arguments, an in-use
// counter, two flags (the last with 0x08 clear) and DC. Reading those tokens back as text is
// not done here; what is read of them is the kind, the size and the arguments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculator_text.hpp"
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
};

struct ProgramReading {
  std::optional<CalculatorText> text;         // in text form: its lines, without codes
  std::optional<TokenizedProgram> tokenized;  // tokenized
  std::uint8_t lock = 0;                      // the flag kept as it is (bit 0: locked)
  std::vector<Problem> problems;              // neither form, or a form with faults
};

// Reads the data of a variable of type `type` (0x12 or 0x13). Without `withText`, a
// program in text form is checked but its lines are not made.
ProgramReading ReadProgramData(unsigned char type, std::string_view data,
                               bool withText = true);

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

}  // namespace orbisk
