// How the text of a calculator text variable reads as UTF-8, and back.
#include "text_notation.hpp"

#include <algorithm>
#include <array>
#include <cstring>

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
  // A line ends at the first LF or CR: both are looked for with memchr, which reads many bytes
  // at a time, the CR only before the LF.
  const char* const from = s.data() + start;
  const auto* lf = static_cast<const char*>(std::memchr(from, '\n', last - start));
  const std::size_t before = lf != nullptr ? static_cast<std::size_t>(lf - from) : last - start;
  const auto* cr = static_cast<const char*>(std::memchr(from, '\r', before));
  end = start + (cr != nullptr ? static_cast<std::size_t>(cr - from) : before);
  if (end == last) {
    next = end;
  } else {
    next = end + (s[end] == '\r' && end + 1 < last && s[end + 1] == '\n' ? 2 : 1);
  }
}

// The bytes that are their own code whatever follows: printable ASCII but x and y.
const std::array<bool, 256>& PlainBytes() {
  static const std::array<bool, 256> table = [] {
    std::array<bool, 256> plain{};
    for (unsigned byte = 0x20; byte < 0x7F; ++byte) plain[byte] = byte != 'x' && byte != 'y';
    return plain;
  }();
  return table;
}

}  // namespace

Notation NotationOf(unsigned char type) {
  return type == types::kProgram || type == types::kFunction ? Notation::Program : Notation::Text;
}

std::string TextToUtf8(const CalculatorText& text, Notation notation) {
  std::string out;
  // Enough for the longest UTF-8 of every code, and a code, its mark and a line end for each
  // line, so that the text is written in one allocation.
  out.reserve(text.CodeCount() * 4 + text.lines.size() * (4 + kMarkLength + 1));
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

namespace {

// Reads the mark that opens a line of a text, if it has one ("C│", "P│", a code's character
// and "│", or "│" alone for a line with no code), giving the line its kind and moving `at`
// and the first column past it.
void ReadLineMark(const std::string& input, std::size_t end, TextLine& made, std::size_t& at,
                  std::size_t& firstColumn) {
  if (end - at == kMarkLength && MarkAt(input, at)) {
    made.kind = LineKind::NoCode;
    at = end;
    return;
  }
  if (at == end) return;
  const DecodedCharacter first = DecodeCharacter(input, at);
  if (first.kind == DecodedCharacter::Kind::Code && at + first.length < end &&
      MarkAt(input, at + first.length)) {
    made = TextLine::WithCode(first.code, {});
    at += first.length + kMarkLength;
    firstColumn += 2;
  }
}

// An ordinary line that starts "C|" or "P|", typed with the keyboard's bar where the mark
// was meant.
bool StartsWithKeyboardBar(const TextLine& line) {
  const std::string& content = line.content;
  return line.kind == LineKind::Ordinary && content.size() >= 2 &&
         (content[0] == 'C' || content[0] == 'P') && content[1] == '|';
}

}  // namespace

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
    std::size_t firstColumn = 1;
    if (program) {
      made.kind = LineKind::NoCode;
    } else {
      ReadLineMark(input, end, made, at, firstColumn);
    }
    // Each character read gives one code, so a line has at most as many codes as bytes, and
    // a character's column follows from the codes written before it.
    content.reserve(end - at);
    content.resize(end - at);
    char* const codes = &content[0];
    std::size_t written = 0;
    // Read through a local pointer: the compiler cannot know that writing the codes leaves
    // `input` as it was.
    const unsigned char* const bytes = reinterpret_cast<const unsigned char*>(input.data());
    const auto& plain = PlainBytes();
    while (at < end) {
      // Printable ASCII is its own code, and most of a text: it is copied without decoding.
      // x and y are too, unless a combining overline (CC 85) follows.
      const unsigned char byte = bytes[at];
      if (plain[byte] || ((byte | 1) == 'y' && (at + 1 == end || bytes[at + 1] != 0xCC))) {
        codes[written++] = static_cast<char>(byte);
        ++at;
        continue;
      }
      const DecodedCharacter c = DecodeCharacter(input, at);
      if (c.kind == DecodedCharacter::Kind::Invalid) {
        result.valid = false;
        result.invalidLine = line;
        result.invalidColumn = firstColumn + written;
        result.text = CalculatorText{};
        result.unknown.clear();
        return result;
      }
      if (c.kind == DecodedCharacter::Kind::Code) {
        codes[written++] = static_cast<char>(c.code);
      } else {
        if (std::find(seen.begin(), seen.end(), c.unknown) == seen.end()) {
          seen.push_back(c.unknown);
          result.unknown.push_back({c.unknown, line, firstColumn + written});
        }
        codes[written++] = '?';
      }
      at += c.length;
    }
    content.resize(written);
    if (!program && result.barLine == 0 && StartsWithKeyboardBar(made)) {
      result.barLine = line;
      result.barCode = content[0];
    }
    if (end == last) return result;
    start = next;
  }
}

}  // namespace orbisk
