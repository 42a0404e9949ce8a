// Finds the keyboard's stand-ins for →, ≤, ≥ and ≠ in a program's text.
#include "typed_operators.hpp"

#include <string_view>

namespace orbisk {
namespace {

constexpr char kQuote = '"';
constexpr char kComment = static_cast<char>(0xA9);  // ©, to the end of the line

constexpr std::string_view kTyped[] = {"->", "<=", ">=", "/="};

bool IsTypedOperator(std::string_view two) {
  for (const std::string_view typed : kTyped) {
    if (two == typed) return true;
  }
  return false;
}

// Hands `found` where each stand-in of one line starts, outside strings and comments.
template <typename Found>
void ScanLine(std::string_view codes, const Found& found) {
  bool inString = false;
  for (std::size_t at = 0; at + 1 < codes.size(); ++at) {
    if (codes[at] == kQuote) inString = !inString;
    if (inString) continue;
    if (codes[at] == kComment) break;
    const std::string_view two = codes.substr(at, 2);
    if (!IsTypedOperator(two)) continue;
    found(at, two);
    ++at;  // "<=>=" is two of them, not three
  }
}

}  // namespace

std::optional<TypedOperator> FindTypedOperators(const CalculatorText& text) {
  std::optional<TypedOperator> found;
  for (std::size_t line = 0; line < text.lines.size(); ++line) {
    ScanLine(text.lines[line].content, [&found, line](std::size_t at, std::string_view two) {
      if (!found) found = TypedOperator{line + 1, at + 1, std::string(two), 0};
      ++found->count;
    });
  }
  return found;
}

std::optional<std::string> TypedOperatorAtEnd(std::string_view codes) {
  std::optional<std::string> last;
  ScanLine(codes, [&last, &codes](std::size_t at, std::string_view two) {
    if (at + 2 == codes.size()) last = std::string(two);
  });
  return last;
}

char SignOfTypedOperator(const std::string& typed) {
  if (typed == "->") return static_cast<char>(0x16);  // →
  if (typed == "<=") return static_cast<char>(0x9C);  // ≤
  if (typed == ">=") return static_cast<char>(0x9E);  // ≥
  return static_cast<char>(0x9D);                     // ≠
}

}  // namespace orbisk
