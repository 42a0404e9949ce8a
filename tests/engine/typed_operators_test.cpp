// The keyboard's stand-ins for →, ≤, ≥ and ≠ in a program's text: which ones an editor may
// offer to make signs of as they are typed.
#include "typed_operators.hpp"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

struct AtEndCase {
  const char* line;  // in calculator codes, up to where one is typing
  const char* offered;
};

TEST(TypedOperatorAtEndTest, OnlyAStandInJustTypedOutsideStringsAndComments) {
  const AtEndCase cases[] = {
      {"x->", "->"},
      {"If a<=", "<="},
      {"If a>=", ">="},
      {"If a/=", "/="},
      {"\"a->", ""},           // in a string being typed
      {"Disp \"a\"->", "->"},  // after the string is closed
      {"\xA9 a->", ""},        // in a comment
      {"a<=>=", ">="},         // the second of two
      {"a<==", ""},            // "<=" then "=": nothing ends with the last code
      {"x-", ""},
      {">", ""},
      {"", ""},
  };
  for (const AtEndCase& c : cases) {
    const std::optional<std::string> offered = TypedOperatorAtEnd(c.line);
    EXPECT_EQ(offered.value_or(""), c.offered) << c.line;
  }
}

}  // namespace
}  // namespace orbisk
