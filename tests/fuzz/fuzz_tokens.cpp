// Fuzzes the reading of tokenized programs: whatever the bytes, every length, count and jump
// read backwards stays inside them, nesting stays bounded, and the text made of them is
// lines of calculator codes that survive UTF-8 and back.
#include <cstdlib>
#include <string>

#include "detokenizer.hpp"
#include "text_notation.hpp"

namespace {

void Check(bool property) {
  if (!property) std::abort();
}

void ReadAndCheck(const std::string& data, bool function) {
  const orbisk::DetokenizedProgram read = orbisk::Detokenize(data, function);
  for (const orbisk::TextLine& line : read.text.lines) {
    Check(line.kind == orbisk::LineKind::NoCode);
    Check(line.content.find('\x0D') == std::string::npos);
  }
  const orbisk::TextImport back = orbisk::TextFromUtf8(
      orbisk::TextToUtf8(read.text, orbisk::Notation::Program), orbisk::Notation::Program);
  Check(back.valid && back.unknown.empty() && back.text.lines == read.text.lines);
  // Each tag is told once.
  for (std::size_t i = 0; i < read.unknown.size(); ++i) {
    for (std::size_t j = i + 1; j < read.unknown.size(); ++j) {
      Check(read.unknown[i].prefix != read.unknown[j].prefix ||
            read.unknown[i].code != read.unknown[j].code);
    }
    Check(read.unknown[i].offset <= data.size());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // As found, and closed as a program's data is, so that most inputs reach the statements.
  ReadAndCheck(bytes, size % 2 == 0);
  ReadAndCheck(bytes + std::string("\xE5\x00\x00\x00\xDC", 5), size % 2 == 1);
  return 0;
}
