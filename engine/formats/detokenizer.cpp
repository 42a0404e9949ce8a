// A tokenized program read back as text: its entries written as codes, then split into lines.
#include "detokenizer.hpp"

#include <memory>

#include "charset.hpp"
#include "token_text.hpp"

namespace orbisk {

DetokenizedProgram Detokenize(std::string_view data, bool function) {
  tokens::ProgramCodes codes = tokens::WriteProgramCodes(data, function);
  DetokenizedProgram program;
  program.text = CalculatorText::FromPlainCodes(codes.codes);
  program.unknown = std::move(codes.unknown);
  program.cutShort = codes.cutShort;
  return program;
}

DetokenizedProgram DetokenizeToUtf8(std::string_view data, bool function,
                                    const std::function<void(std::string_view utf8)>& write) {
  // Grown to the longest piece, and left uninitialised: only what is written is touched.
  std::unique_ptr<char[]> utf8;
  std::size_t room = 0;
  const tokens::CodesSink toUtf8 = [&](std::string_view codes) {
    if (codes.size() * kLongestUtf8 > room) {
      // Half again, so that the next piece, a statement longer or shorter, fits too.
      room = codes.size() * kLongestUtf8 * 3 / 2;
      utf8.reset(new char[room]);
    }
    const char* const end = WriteUtf8Lines(utf8.get(), codes);
    write(std::string_view(utf8.get(), static_cast<std::size_t>(end - utf8.get())));
  };
  tokens::ProgramCodes codes = tokens::HandOnProgramCodes(data, function, toUtf8);
  write("\n");
  DetokenizedProgram program;
  program.unknown = std::move(codes.unknown);
  program.cutShort = codes.cutShort;
  return program;
}

}  // namespace orbisk
