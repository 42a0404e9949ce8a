// How the text of a calculator text variable reads as UTF-8, and back.
#include "text_notation.hpp"

#include <algorithm>

#include "charset.hpp"
#include "variable_types.hpp"

namespace orbisk {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kMark[] = "\xE2\x94\x82";  // "│", U+2502
constexpr std::size_t kMarkLength = sizeof kMark - 1;

bool MarkAt(const std::string& s, std::size_t at) { return s.compare(at, kMarkLength, kMark) == 0; }

// Where the line that starts at `start` ends, and where the next one starts, in the text
// that ends at `last`.
void FindLineEnd(const std::string& s, std::size_t start, std::size_t last, std::size_t& end,
                 std::size_t& next) {
  end = start;
  while (end < last && s[end] != '\n' && s[end] != '\r') ++end;
  if (end == last) {
    next = end;
  } else {
    next = end + (s[end] == '\r' && end + 1 < last && s[end + 1] == '\n' ? 2 : 1);
  }
}

}  // namespace

Notation NotationOf(unsigned char type) {
  return type == types::kProgram || type == types::kFunction ? Notation::Program : Notation::Text;
}

std::string TextToUtf8(const CalculatorText& text, Notation notation) {
  std::string out;
  const std::size_t codes = text.CodeCount();
  out.reserve(codes + codes / 4 + 8);
  for (const TextLine& line : text.lines) {
    if (notation == Notation::Program) {
      // A program's lines have no command code to show.
    } else if (line.kind == LineKind::NoCode) {
      out += kMark;
    } else if (line.kind != LineKind::Ordinary) {
      out += CharacterOf(line.Code());
      out += kMark;
    }
    AppendUtf8(out, line.content);
    out += '\n';
  }
  return out;
}

TextImport TextFromUtf8(const std::string& utf8, Notation notation) {
  const bool program = notation == Notation::Program;
  TextImport result;
  result.text.lines.clear();
  // A byte order mark, as some editors write first, marks the file as UTF-8: it is no text.
  const std::size_t bom = utf8.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
  const std::string& input = utf8;
  // One final line end ends the last line instead of starting another.
  std::size_t last = input.size();
  if (last > bom && input[last - 1] == '\n') --last;
  if (last > bom && input[last - 1] == '\r') --last;
  std::vector<char32_t> seen;
  std::size_t start = bom;
  for (std::size_t line = 1;; ++line) {
    std::size_t end = 0;
    std::size_t next = 0;
    FindLineEnd(input, start, last, end, next);
    TextLine& made = result.text.lines.emplace_back();
    std::string& content = made.content;
    std::size_t at = start;
    std::size_t column = 1;
    if (program) {
      made.kind = LineKind::NoCode;
    } else if (end - start == kMarkLength && MarkAt(input, start)) {
      made.kind = LineKind::NoCode;
      at = end;
    } else if (at < end) {
      const DecodedCharacter first = DecodeCharacter(input, at);
      if (first.kind == DecodedCharacter::Kind::Code && at + first.length < end &&
          MarkAt(input, at + first.length)) {
        made = TextLine::WithCode(first.code, {});
        at += first.length + kMarkLength;
        column += 2;
      }
    }
    content.reserve(end - at);
    while (at < end) {
      // Printable ASCII is its own code (but x and y before a combining overline, CC 85):
      // a run of it is taken at once.
      std::size_t run = at;
      while (run < end && input[run] >= 0x20 && input[run] < 0x7F &&
             !((input[run] == 'x' || input[run] == 'y') && run + 1 < end &&
               static_cast<unsigned char>(input[run + 1]) == 0xCC)) {
        ++run;
      }
      if (run > at) {
        content.append(input, at, run - at);
        column += run - at;
        at = run;
        continue;
      }
      const DecodedCharacter c = DecodeCharacter(input, at);
      if (c.kind == DecodedCharacter::Kind::Invalid) {
        result.valid = false;
        result.invalidLine = line;
        result.invalidColumn = column;
        result.text = CalculatorText{};
        result.unknown.clear();
        return result;
      }
      if (c.kind == DecodedCharacter::Kind::Code) {
        content += static_cast<char>(c.code);
      } else {
        content += '?';
        if (std::find(seen.begin(), seen.end(), c.unknown) == seen.end()) {
          seen.push_back(c.unknown);
          result.unknown.push_back({c.unknown, line, column});
        }
      }
      at += c.length;
      ++column;
    }
    if (!program && made.kind == LineKind::Ordinary && result.barLine == 0 && content.size() >= 2 &&
        (content[0] == 'C' || content[0] == 'P') && content[1] == '|') {
      result.barLine = line;
      result.barCode = content[0];
    }
    if (end == last) return result;
    start = next;
  }
}

}  // namespace orbisk
