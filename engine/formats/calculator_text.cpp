// The text of a calculator TEXT variable as a value.
#include "calculator_text.hpp"

#include <algorithm>

namespace orbisk {
namespace {

constexpr char kLineSeparator = 0x0D;

LineKind KindOfCode(unsigned char code) {
  switch (code) {
    case ' ': return LineKind::Ordinary;
    case 'C': return LineKind::Command;
    case 'P': return LineKind::PrintObj;
    case 0x0C: return LineKind::PageBreak;
    default: return LineKind::OtherCode;
  }
}

}  // namespace

TextLine TextLine::WithCode(unsigned char code, std::string content) {
  TextLine line;
  line.kind = KindOfCode(code);
  if (line.kind == LineKind::OtherCode) line.otherCode = code;
  line.content = std::move(content);
  return line;
}

unsigned char TextLine::Code() const {
  switch (kind) {
    case LineKind::Ordinary: return ' ';
    case LineKind::Command: return 'C';
    case LineKind::PrintObj: return 'P';
    case LineKind::PageBreak: return 0x0C;
    case LineKind::OtherCode: return otherCode;
    case LineKind::NoCode: break;
  }
  return 0;
}

namespace {

// The text of `codes` split at each 0x0D, each line made from its codes by `makeLine`.
template <typename MakeLine>
CalculatorText Split(const std::string& codes, std::uint16_t cursor, const MakeLine& makeLine) {
  CalculatorText text;
  text.cursor = cursor;
  text.lines.clear();
  // The lines are counted first: a vector grown line by line would touch twice the memory.
  const auto separators = std::count(codes.begin(), codes.end(), kLineSeparator);
  text.lines.reserve(static_cast<std::size_t>(separators) + 1);
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(codes.find(kLineSeparator, start), codes.size());
    text.lines.push_back(makeLine(start, end));
    if (end == codes.size()) return text;
    start = end + 1;
  }
}

}  // namespace

CalculatorText CalculatorText::FromCodes(const std::string& codes, std::uint16_t cursor) {
  return Split(codes, cursor, [&codes](std::size_t start, std::size_t end) {
    if (start == end) {
      TextLine line;
      line.kind = LineKind::NoCode;
      return line;
    }
    return TextLine::WithCode(static_cast<unsigned char>(codes[start]),
                              codes.substr(start + 1, end - start - 1));
  });
}

CalculatorText CalculatorText::FromPlainCodes(const std::string& codes, std::uint16_t cursor) {
  return Split(codes, cursor, [&codes](std::size_t start, std::size_t end) {
    TextLine line;
    line.kind = LineKind::NoCode;
    line.content = codes.substr(start, end - start);
    return line;
  });
}

std::size_t CalculatorText::CodeCount() const {
  std::size_t count = lines.size() - 1;  // the separators
  for (const TextLine& line : lines) {
    count += line.content.size() + (line.kind == LineKind::NoCode ? 0 : 1);
  }
  return count;
}

std::string CalculatorText::Codes() const {
  std::string codes;
  codes.reserve(CodeCount());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) codes += kLineSeparator;
    if (lines[i].kind != LineKind::NoCode) codes += static_cast<char>(lines[i].Code());
    codes += lines[i].content;
  }
  return codes;
}

std::string TextVariableData(const CalculatorText& text) {
  std::string data;
  data.reserve(text.CodeCount() + kTextOverhead);
  data += static_cast<char>(text.cursor >> 8);
  data += static_cast<char>(text.cursor & 0xFF);
  data += text.Codes();
  data += '\0';
  data += static_cast<char>(kTextTag);
  return data;
}

bool ReadTextVariableData(std::string_view data, CalculatorText& text) {
  const std::size_t size = data.size();
  if (size < kTextOverhead || data[size - 2] != '\0' ||
      static_cast<unsigned char>(data[size - 1]) != kTextTag) {
    return false;
  }
  const auto cursor = static_cast<std::uint16_t>((static_cast<unsigned char>(data[0]) << 8) |
                                                 static_cast<unsigned char>(data[1]));
  text = CalculatorText::FromCodes(std::string(data.substr(2, size - kTextOverhead)), cursor);
  return true;
}

}  // namespace orbisk
