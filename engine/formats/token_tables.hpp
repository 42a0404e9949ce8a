// What each tag of a tokenized program means, and how it is written back as text.
//
// A tokenized program is a postfix expression stack: each entry ends with its tag, and its
// operands lie below it. Four tables name the tags: the primary tags, the extended functions
// behind E3, the instructions behind E4 and the system variables behind 1C. Names are kept
// as calculator codes, ready to be copied into a text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orbisk::tokens {

// How an entry is written.
enum class Form : std::uint8_t {
  Unknown,   // not read: its operands cannot be found
  Atom,      // a constant: its name alone
  Function,  // name(operands), the name holding its "("
  Prefix,    // the sign before its operand
  Postfix,   // the sign after its operand
  Infix,     // left sign right
  Special,   // read by the detokenizer itself (numbers, names, lists, …)
};

// Binding strength, from the calculators' operator priorities: the higher binds tighter.
enum Priority : std::uint8_t {
  kStore = 1,  // →, and the conversions ▸
  kWith = 2,   // |
  kOr = 3,     // or, xor
  kAnd = 4,
  kNot = 5,
  kRelation = 6,   // = ≠ < ≤ > ≥
  kSum = 7,        // + − .+ .− ±
  kProduct = 8,    // * / .* ./
  kAppend = 9,     // &
  kNegation = 10,  // the prefix −
  kPower = 11,     // ^ .^
  kPostfix = 12,   // ! % ʳ ⊺ ' ° and subscripts
  kIndirection = 13,
  kAtom = 14,
};

// A name in calculator codes, kept in its table: the tables are worked out when compiling.
struct TagName {
  static constexpr std::size_t kLongest = 12;
  char codes[kLongest] = {};
  std::uint8_t length = 0;

  constexpr operator std::string_view() const { return {codes, length}; }
  constexpr bool empty() const { return length == 0; }
};

struct Tag {
  TagName name;
  Form form = Form::Unknown;
  std::uint8_t operands = 0;      // fixed operands; for a list ended by E5, the fewest
  bool endsWithE5 = false;        // its operands are ended by an E5 below them
  std::uint8_t priority = kAtom;  // of an operator
  bool topIsLeft = false;         // infix: the operand right under the tag is the left one
};

const Tag& PrimaryTag(unsigned char tag);
const Tag& ExtendedTag(unsigned char tag);
// An instruction's name; empty for a code no instruction has.
std::string_view InstructionName(unsigned char tag);
// A system variable's name; empty for a code no system variable has.
std::string_view SystemVariableName(unsigned char tag);

// Primary tags the detokenizer reads itself.
namespace primary {
constexpr unsigned char kName = 0x00;
constexpr unsigned char kSystemVariable = 0x1C;
constexpr unsigned char kArbitraryReal = 0x1D;
constexpr unsigned char kArbitraryInteger = 0x1E;
constexpr unsigned char kPositiveInteger = 0x1F;
constexpr unsigned char kNegativeInteger = 0x20;
constexpr unsigned char kPositiveFraction = 0x21;
constexpr unsigned char kNegativeFraction = 0x22;
constexpr unsigned char kFloat = 0x23;
constexpr unsigned char kString = 0x2D;
constexpr unsigned char kPolarVector = 0x7B;
constexpr unsigned char kCylindricalVector = 0x7C;
constexpr unsigned char kSphericalVector = 0x7D;
constexpr unsigned char kComplex = 0x9D;
constexpr unsigned char kDegreesMinutesSeconds = 0xCD;
constexpr unsigned char kSubscript = 0xD5;
constexpr unsigned char kList = 0xD9;
constexpr unsigned char kUserFunction = 0xDA;
constexpr unsigned char kFunctionObject = 0xDC;
constexpr unsigned char kExtended = 0xE3;
constexpr unsigned char kInstruction = 0xE4;
constexpr unsigned char kEnd = 0xE5;
constexpr unsigned char kComment = 0xE6;
constexpr unsigned char kNextStatement = 0xE7;
constexpr unsigned char kNewLine = 0xE8;
constexpr unsigned char kEndOfProgram = 0xE9;
constexpr unsigned char kLocal = 0xF0;
constexpr unsigned char kDerivativeOf = 0xF2;  // f'(x)
}  // namespace primary

// Extended tags the detokenizer reads itself.
namespace extended {
constexpr unsigned char kBinary = 0x2B;        // 0b…
constexpr unsigned char kHexadecimal = 0x2C;   // 0h…
constexpr unsigned char kPolarComplex = 0x26;  // (r∠θ)
constexpr unsigned char kRowAugment = 0x35;    // augment(a;b)
}  // namespace extended

// Instructions that carry a two-byte jump below their tag.
bool InstructionHasJump(unsigned char tag);

}  // namespace orbisk::tokens
