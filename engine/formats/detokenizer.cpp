// A tokenized program read back as text: its entries written as codes, then split into lines.
#include "detokenizer.hpp"

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

}  // namespace orbisk
