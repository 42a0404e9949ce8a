// The entries of a tokenized program as a tree: made by reading the data backwards
// (token_reader.cpp), written out as text in display order (token_printer.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "detokenizer.hpp"
#include "token_tables.hpp"

namespace orbisk::tokens {

enum class NodeKind : std::uint8_t {
  Text,          // a name from a table: `text`
  Name,          // a variable's name in the data: bytes [begin, begin + length)
  String,        // a string: its codes in the data
  Integer,       // little-endian bytes in the data; `negative`
  Fraction,      // numerator bytes at `begin`, denominator's at `other` (`otherLength`)
  Float,         // nine bytes at `begin`
  Arbitrary,     // @n: `begin` holds the number; `negative` for an integer's @n
  Operation,     // a tag of the tables with its operands: `tag`
  List,          // {…}, or a matrix when every element is a list
  Subscript,     // a[i] or a[i,j]: the name, then the indices
  Call,          // a user function or program: its name, then its arguments
  Derivative,    // f'(x): the name, then the arguments
  Dms,           // d°m's"
  Vector,        // [r,∠θ…]: `begin` holds the tag; one operand, a matrix
  Complex,       // a+b*𝒊: real, imaginary
  PolarComplex,  // (r∠θ)
  Based,         // 0b… or 0h…: `begin` holds 2 or 16; one operand
  RowAugment,    // augment(a;b)
  Instruction,   // `begin` holds the instruction's code; its arguments
  NewLine,       // `begin` spaces of indentation
  Colon,         // ":" then `begin` spaces
  Comment,       // "©", `other` spaces, then codes [begin, begin + length)
  Block,         // a function defined inside a program: its arguments, then `other` lines
  Unknown,       // a tag that cannot be read: `begin` holds prefix << 8 | code, or kCut
};

// Nodes lie in preorder: a node, then its children's subtrees one after the other, each
// `subtree` nodes long. Children come in the order they were read (the one right under
// the tag first), which is the order they are written in but for the two operands of an
// infix operator whose left one lies deeper, of a complex number and of a polar complex.
struct Node {
  NodeKind kind = NodeKind::Unknown;
  bool negative = false;
  const Tag* tag = nullptr;
  const std::string* text = nullptr;
  std::uint32_t begin = 0;
  std::uint32_t length = 0;
  std::uint32_t other = 0;
  std::uint32_t otherLength = 0;
  std::uint32_t subtree = 1;  // this node and all below it
  std::uint32_t childCount = 0;
};

struct Tree {
  std::string_view data;
  std::vector<Node> nodes;  // nodes[0] is the program or function itself (a Block)
  std::vector<DetokenizedProgram::Unknown> unknown;
  bool cutShort = false;
};

// Reads a whole program or function: `data` ends in DC.
Tree ReadTree(std::string_view data);

// Writes the text of `tree`: its arguments as the first line, then its lines; a function
// that is one expression between Func and EndFunc when `function` is set.
std::string PrintTree(const Tree& tree, bool function);

// An Unknown node's `begin` when the data ended, or nested too deep, before the entry.
constexpr std::uint32_t kCut = 0x10000;

// The mark written for an entry that cannot be read.
constexpr unsigned char kUnknownMark = 0x7F;  // ◆

}  // namespace orbisk::tokens
