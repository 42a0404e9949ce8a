// Programs and functions in text form and tokenized.
#include "program_variable.hpp"

#include <algorithm>
#include <iterator>

#include "variable_types.hpp"

namespace orbisk {
namespace {

using namespace program_tags;
using Kind = Problem::Kind;

unsigned char TagOf(ProgramKind kind) {
  return kind == ProgramKind::Program ? kProgram : kFunction;
}

unsigned char At(std::string_view data, std::size_t i) {
  return static_cast<unsigned char>(data[i]);
}

// The last bytes of the data, as found, for a message to show.
std::string Tail(std::string_view data) {
  return std::string(data.substr(data.size() - std::min(data.size(), kProgramOverhead)));
}

// One letter variables have tags of their own: r to z are 02 to 0A, a to p 0B to 1A, q 1B.
std::optional<char> LetterOfTag(unsigned char tag) {
  if (tag >= 0x02 && tag <= 0x0A) return static_cast<char>('r' + (tag - 0x02));
  if (tag >= 0x0B && tag <= 0x1A) return static_cast<char>('a' + (tag - 0x0B));
  if (tag == 0x1B) return 'q';
  return std::nullopt;
}

// The arguments of a tokenized program, read down from `top` (just below the in-use
// counter) to the E5 that ends them, first argument first; nothing when a tag is not a
// variable's name. `end` takes where the E5 is.
std::optional<std::vector<std::string>> ReadArguments(std::string_view data, std::size_t top,
                                                      std::size_t& end) {
  std::vector<std::string> arguments;
  std::size_t at = top;
  while (at > 0 && At(data, at) != kEnd) {
    const unsigned char tag = At(data, at);
    if (const std::optional<char> letter = LetterOfTag(tag)) {
      arguments.emplace_back(1, *letter);
      --at;
      continue;
    }
    if (tag != 0x00) return std::nullopt;
    // A longer name: 00, its codes, then the tag 00.
    const std::size_t start = data.rfind('\0', at - 1);
    if (start == std::string_view::npos || start + 1 == at) return std::nullopt;
    arguments.emplace_back(data.substr(start + 1, at - start - 1));
    if (start == 0) return std::nullopt;
    at = start - 1;
  }
  if (at == 0) return std::nullopt;
  end = at;
  return arguments;
}

// Where the first 00 of a program's text is, as a line and a column counted from 1.
void PlaceOf(std::string_view text, std::size_t at, std::uint64_t& line, std::uint64_t& column) {
  const auto before = text.begin() + static_cast<std::ptrdiff_t>(at);
  line = 1 + static_cast<std::uint64_t>(std::count(text.begin(), before, '\x0D'));
  const auto lineStart = std::find(std::make_reverse_iterator(before), text.rend(), '\x0D').base();
  column = 1 + static_cast<std::uint64_t>(before - lineStart);
}

}  // namespace

ProgramKind ProgramKindOfType(unsigned char type) {
  return type == types::kFunction ? ProgramKind::Function : ProgramKind::Program;
}

unsigned char TypeOfProgramKind(ProgramKind kind) {
  return kind == ProgramKind::Function ? types::kFunction : types::kProgram;
}

ProgramReading ReadProgramData(unsigned char type, std::string_view data, ProgramLines lines) {
  ProgramReading reading;
  const ProgramKind kind = ProgramKindOfType(type);
  const std::size_t n = data.size();
  // The shortest tokenized program: E9, 19, E5, the counter, two flags and DC.
  constexpr std::size_t kShortestTokenized = 7;
  if (n < kShortestTokenized || At(data, n - 1) != kUserDefined) {
    reading.problems.push_back({Kind::ProgramEnd, 0, 0, Tail(data)});
    return reading;
  }
  const unsigned char flag = At(data, n - 2);
  // Tokenized: E9 first, and the flag says it has been parsed.
  if (At(data, 0) == kEndOfSegment && (flag & kToParse) == 0) {
    // Filled where it lies: a local moved into the optional makes GCC's release builds see
    // its vector as maybe uninitialized.
    TokenizedProgram& tokenized = reading.tokenized.emplace();
    tokenized.kind = kind;
    tokenized.size = n;
    std::size_t end = 0;
    tokenized.arguments = ReadArguments(data, n - 5, end);
    // Its first statement, right under the arguments, is the instruction Prgm or Func,
    // unless it is a function of one expression: only the other kind's is a contradiction.
    if (tokenized.arguments && end >= 2 && At(data, end - 1) == kCommand) {
      const unsigned char opening = At(data, end - 2);
      if ((opening == kProgram || opening == kFunction) && opening != TagOf(kind)) {
        reading.problems.push_back({Kind::ProgramKindTag, opening, TagOf(kind)});
      }
    }
    reading.lock = At(data, n - 3);
    tokenized.textLater = lines == ProgramLines::TextFormOnly && reading.problems.empty();
    if (lines == ProgramLines::Every && reading.problems.empty()) {
      DetokenizedProgram read = Detokenize(data, kind == ProgramKind::Function);
      reading.text = std::move(read.text);
      tokenized.unknown = std::move(read.unknown);
      tokenized.cutShort = read.cutShort;
    }
    return reading;
  }
  if (n < kProgramOverhead) {
    reading.problems.push_back({Kind::ProgramEnd, 0, 0, Tail(data)});
    return reading;
  }
  const std::size_t textEnd = n - kProgramOverhead;
  const unsigned char tag = At(data, n - 7);
  if (At(data, textEnd) != 0 || At(data, n - 6) != kCommand || At(data, n - 5) != kEnd ||
      (tag != kProgram && tag != kFunction)) {
    reading.problems.push_back({Kind::ProgramEnd, 0, 0, Tail(data)});
    return reading;
  }
  if (tag != TagOf(kind)) reading.problems.push_back({Kind::ProgramKindTag, tag, TagOf(kind)});
  if ((flag & kToParse) == 0) reading.problems.push_back({Kind::ProgramNotToParse, flag});
  const std::string_view text = data.substr(0, textEnd);
  if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
    Problem problem{Kind::ProgramTextHoldsNul};
    PlaceOf(text, nul, problem.found, problem.expected);
    reading.problems.push_back(problem);
  }
  if (!reading.problems.empty()) return reading;
  reading.lock = At(data, n - 3);
  if (lines == ProgramLines::None) return reading;
  const auto cursor = static_cast<std::uint16_t>(At(data, n - 9) << 8 | At(data, n - 8));
  reading.text = CalculatorText::FromPlainCodes(std::string(text), cursor);
  return reading;
}

std::string ProgramVariableData(ProgramKind kind, const CalculatorText& text, std::uint8_t lock) {
  std::string data = text.Codes();
  data.reserve(data.size() + kProgramOverhead);
  data += '\0';
  data += static_cast<char>(text.cursor >> 8);
  data += static_cast<char>(text.cursor & 0xFF);
  data += static_cast<char>(TagOf(kind));
  data += static_cast<char>(kCommand);
  data += static_cast<char>(kEnd);
  data += '\0';
  data += static_cast<char>(lock);
  data += static_cast<char>(kToParse);
  data += static_cast<char>(kUserDefined);
  return data;
}

namespace {

bool IsProgramType(unsigned char type) {
  return type == types::kProgram || type == types::kFunction;
}

}  // namespace

std::string VariableDataOfText(unsigned char type, const CalculatorText& text) {
  if (IsProgramType(type)) {
    return ProgramVariableData(ProgramKindOfType(type), text);
  }
  return TextVariableData(text);
}

std::size_t VariableOverhead(unsigned char type) {
  return IsProgramType(type) ? kProgramOverhead : kTextOverhead;
}

std::size_t VariableSizeOfText(unsigned char type, const CalculatorText& text) {
  return text.CodeCount() + VariableOverhead(type);
}

namespace {

// The line of `text` from `at`, without its spaces at either end; `at` moves past its end.
std::string_view TrimmedLine(std::string_view text, std::size_t& at) {
  std::size_t end = text.find_first_of("\r\n", at);
  if (end == std::string_view::npos) end = text.size();
  std::string_view line = text.substr(at, end - at);
  at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  const std::size_t first = line.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::optional<unsigned char> ProgramTypeOfText(std::string_view text) {
  std::size_t at = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  const std::string_view arguments = TrimmedLine(text, at);
  if (arguments.size() < 2 || arguments.front() != '(' || arguments.back() != ')') {
    return std::nullopt;
  }
  if (at >= text.size()) return std::nullopt;
  const std::string_view opening = TrimmedLine(text, at);
  if (opening == "Prgm") return types::kProgram;
  if (opening == "Func") return types::kFunction;
  return std::nullopt;
}

}  // namespace orbisk
