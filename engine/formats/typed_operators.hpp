// The keyboard's stand-ins for the calculators' own signs, typed into a program's text:
// "->" for →, "<=" for ≤, ">=" for ≥ and "/=" for ≠. The calculator reads them as two
// signs, not as the one they stand for, so a program made of such a text is told of them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "calculator_text.hpp"

namespace orbisk {

struct TypedOperator {
  std::size_t line = 0;    // of the first one, counted from 1
  std::size_t column = 0;  // in codes, counted from 1
  std::string typed;       // "->", "<=", ">=" or "/="
  std::size_t count = 0;   // how many the text holds
};

// The first stand-in outside strings and comments, and how many there are; nothing when
// the text holds none.
std::optional<TypedOperator> FindTypedOperators(const CalculatorText& text);

// The stand-in whose last code is the last of `codes` (a program line up to where one is
// typing), when it is outside strings and comments: what an editor offers to make its sign.
std::optional<std::string> TypedOperatorAtEnd(std::string_view codes);

// The calculator's sign a stand-in is typed for, in calculator codes.
char SignOfTypedOperator(const std::string& typed);

}  // namespace orbisk
