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
  // Each piece is written when the next comes, so that the last one takes the final line
  // end with it.
  std::unique_ptr<char[]> utf8;
  std::size_t room = 0;
  std::size_t held = 0;  // bytes of the piece not yet written
  const tokens::CodesSink toUtf8 = [&](std::string_view codes) {
    if (held > 0) write(std::string_view(utf8.get(), held));
    // Room for the final line end too.
    if (codes.size() * kLongestUtf8 + 1 > room) {
      // Half again, so that the next piece, a statement longer or shorter, fits too.
      room = codes.size() * kLongestUtf8 * 3 / 2 + 1;
      utf8.reset(new char[room]);
    }
    held = static_cast<std::size_t>(WriteUtf8Lines(utf8.get(), codes) - utf8.get());
  };
  tokens::ProgramCodes codes = tokens::HandOnProgramCodes(data, function, toUtf8);
  if (held > 0) {
    utf8[held++] = '\n';
    write(std::string_view(utf8.get(), held));
  } else {
    write("\n");
  }
  DetokenizedProgram program;
  program.unknown = std::move(codes.unknown);
  program.cutShort = codes.cutShort;
  return program;
}

}  // namespace orbisk
