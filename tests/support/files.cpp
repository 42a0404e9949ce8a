// Reading and writing whole test files, and the sample contents tests convert.
#include "files.hpp"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "file_check.hpp"
#include "program_variable.hpp"

namespace orbisk::testing {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

std::string SampleTi92PlusFile(std::size_t size) {
  // Byte 6 is "-" here, not "P", so the Voyager 200 direction visibly changes it. That is
  // no calculator's signature, so every direction leaves the other bytes as they are.
  std::string header("**TI92-*\x01\x00main\0\0\0\0", 18);
  header += "Original comment of the source.";
  std::string bytes = header.substr(0, size);
  for (std::size_t i = bytes.size(); i < size; ++i) bytes += static_cast<char>(i % 256);
  return bytes;
}

std::string SampleVariableData(unsigned char type, std::size_t size, unsigned seed) {
  std::string codes;
  for (std::size_t i = 0; i < size; ++i) {
    const auto byte = static_cast<unsigned char>((i * 7 + seed * 13) % 256);
    // A text's or a program's codes hold no 00, which ends them.
    codes +=
        static_cast<char>(byte == 0 && (type == 0x0B || type == 0x12 || type == 0x13) ? 1 : byte);
  }
  if (type == 0x0B) return std::string("\x00\x01", 2) + codes + std::string("\x00\xE0", 2);
  if (type == 0x12 || type == 0x13) {
    return ProgramVariableData(ProgramKindOfType(type), CalculatorText::FromPlainCodes(codes));
  }
  return codes;
}

std::string CalculatorTextFile(const std::string& codes, Model model, const std::string& name) {
  TextVariable variable;
  variable.model = model;
  variable.name = name;
  variable.text = CalculatorText::FromCodes(codes);
  return WriteTextFile(variable, "23/02/03, 14:09");
}

std::string ExpectedV200(const std::string& source, const std::string& stamp) {
  std::string expected = source;
  expected[6] = 'P';
  expected.replace(18, 31, "TextObject file " + stamp);
  return expected;
}

std::string ExpectedTi92Plus(const std::string& source) {
  std::string expected = source;
  expected.replace(18, 31, std::string(31, ' '));
  return expected;
}

::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  auto result = ::testing::AssertionFailure();
  result << "sizes " << actual.size() << " and " << expected.size() << ", first difference at "
         << at;
  if (at < actual.size() && at < expected.size()) {
    result << ": " << static_cast<int>(static_cast<unsigned char>(actual[at])) << " instead of "
           << static_cast<int>(static_cast<unsigned char>(expected[at]));
  }
  return result;
}

}  // namespace orbisk::testing
