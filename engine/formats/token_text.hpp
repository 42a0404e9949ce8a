// Writes a tokenized program's data as text in one walk down from its end (token_text.cpp).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "detokenizer.hpp"

namespace orbisk::tokens {

struct ProgramCodes {
  std::string codes;  // the lines joined by 0x0D, in calculator codes
  std::vector<DetokenizedProgram::Unknown> unknown;
  bool cutShort = false;
};

// The text of a whole program or function (`data` ends in DC): its arguments as the first
// line, then its lines; a function that is one expression between Func and EndFunc when
// `function` is set.
ProgramCodes WriteProgramCodes(std::string_view data, bool function);

// Where codes go when they are handed on as they are written rather than kept whole.
using CodesSink = std::function<void(std::string_view codes)>;

// WriteProgramCodes handing the codes to `sink` in pieces, between two of the program's
// statements, rather than keeping them: the result holds none.
ProgramCodes HandOnProgramCodes(std::string_view data, bool function, const CodesSink& sink);

// The mark written for an entry that cannot be read.
constexpr unsigned char kUnknownMark = 0x7F;  // ◆

}  // namespace orbisk::tokens
