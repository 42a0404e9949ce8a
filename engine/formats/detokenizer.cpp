// A tokenized program read back as text: its entries read into a tree, then written out.
#include "detokenizer.hpp"

#include "token_tree.hpp"

namespace orbisk {

DetokenizedProgram Detokenize(std::string_view data, bool function) {
  DetokenizedProgram program;
  const tokens::Tree tree = tokens::ReadTree(data);
  program.text = CalculatorText::FromPlainCodes(tokens::PrintTree(tree, function));
  program.unknown = tree.unknown;
  program.cutShort = tree.cutShort;
  return program;
}

}  // namespace orbisk
