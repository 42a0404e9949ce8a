// Reads a tokenized program's data backwards into a tree of its entries.
#include <algorithm>

#include "token_tree.hpp"

namespace orbisk::tokens {
namespace {

using namespace primary;

// Deeper than any program a calculator could run: past it the data is not a program's.
constexpr int kDeepest = 400;

bool EndsArguments(unsigned char byte) {
  return byte == kEnd || byte == kComment || byte == kNextStatement || byte == kNewLine ||
         byte == kEndOfProgram;
}

class Reader {
 public:
  explicit Reader(std::string_view data) : top_(data.size()) {
    tree_.data = data;
    // Every entry takes a byte at least: the tree never outgrows this.
    tree_.nodes.reserve(data.size() + 2);
  }

  Tree Read() {
    if (!More() || Take() != kFunctionObject) {
      Fail(0, kFunctionObject);
      tree_.cutShort = true;
    } else {
      Block(0);
    }
    return std::move(tree_);
  }

 private:
  bool More() const { return top_ > 0; }
  unsigned char Peek() const { return static_cast<unsigned char>(tree_.data[top_ - 1]); }
  unsigned char Take() { return static_cast<unsigned char>(tree_.data[--top_]); }
  std::uint32_t Top() const { return static_cast<std::uint32_t>(top_); }
  std::uint32_t Size() const { return static_cast<std::uint32_t>(tree_.nodes.size()); }

  // A new node; its children follow it as they are read.
  std::uint32_t Open(NodeKind kind) {
    tree_.nodes.emplace_back().kind = kind;
    return Size() - 1;
  }
  // Ends the node at `index`: what was added since is below it.
  void Close(std::uint32_t index, std::uint32_t childCount) {
    Node& node = tree_.nodes[index];
    node.subtree = Size() - index;
    node.childCount = childCount;
  }

  // An entry that cannot be read: its mark, and the reading of this statement stops.
  void Fail(unsigned char prefix, unsigned char code) {
    const auto same = [&](const DetokenizedProgram::Unknown& u) {
      return u.prefix == prefix && u.code == code;
    };
    if (std::none_of(tree_.unknown.begin(), tree_.unknown.end(), same)) {
      tree_.unknown.push_back({prefix, code, top_});
    }
    Mark(static_cast<std::uint32_t>(prefix << 8 | code));
  }
  // The data ended in the middle of an entry.
  void Cut() {
    tree_.cutShort = true;
    Mark(kCut);
  }
  void Mark(std::uint32_t what) {
    failed_ = true;
    mark_ = what;
    tree_.nodes[Open(NodeKind::Unknown)].begin = what;
  }
  // What was read of a statement that failed becomes its mark.
  void MarkInstead(std::uint32_t from) {
    tree_.nodes.resize(from);
    tree_.nodes[Open(NodeKind::Unknown)].begin = mark_;
    failed_ = false;
  }

  // Codes between two 00, the upper one just taken: a name, a string, a comment.
  bool Between00(std::uint32_t index) {
    if (!More()) return false;
    const std::size_t start = tree_.data.rfind('\0', top_ - 1);
    if (start == std::string_view::npos) return false;
    Node& node = tree_.nodes[index];
    node.begin = static_cast<std::uint32_t>(start + 1);
    node.length = static_cast<std::uint32_t>(top_ - start - 1);
    top_ = start;
    return true;
  }

  // `count` bytes just below, as a number's.
  bool Bytes(std::size_t count, std::uint32_t& begin) {
    if (count > top_) return false;
    top_ -= count;
    begin = Top();
    return true;
  }

  // Operands down to an E5, which is taken; how many there were.
  std::uint32_t ToEnd(int depth) {
    std::uint32_t count = 0;
    while (More() && Peek() != kEnd) {
      Expression(depth);
      if (failed_) return count;
      ++count;
    }
    if (!More()) {
      Cut();
      return count;
    }
    Take();
    return count;
  }

  void Operands(std::uint32_t count, int depth) {
    for (std::uint32_t i = 0; i < count && !failed_; ++i) Expression(depth);
  }

  // A node whose operands are `count` entries, or run down to an E5 when `toEnd`.
  void WithOperands(NodeKind kind, bool toEnd, std::uint32_t count, int depth,
                    const Tag* tag = nullptr, std::uint32_t begin = 0) {
    const std::uint32_t index = Open(kind);
    tree_.nodes[index].tag = tag;
    tree_.nodes[index].begin = begin;
    if (toEnd) {
      count = ToEnd(depth + 1);
    } else {
      Operands(count, depth + 1);
    }
    Close(index, count);
  }

  void Expression(int depth) {
    if (!More()) return Cut();
    if (depth > kDeepest) return Mark(kCut);
    const unsigned char tag = Take();
    switch (tag) {
      case kName:
        if (!Between00(Open(NodeKind::Name))) Cut();
        return;
      case kString:
        if (!More() || Take() != 0) return Fail(0, kString);
        if (!Between00(Open(NodeKind::String))) Cut();
        return;
      case kSystemVariable: {
        if (!More()) return Cut();
        const unsigned char code = Take();
        if (SystemVariableName(code).empty()) return Fail(kSystemVariable, code);
        tree_.nodes[Open(NodeKind::Text)].text = &SystemVariableName(code);
        return;
      }
      case kArbitraryReal:
      case kArbitraryInteger: {
        if (!More()) return Cut();
        Node& node = tree_.nodes[Open(NodeKind::Arbitrary)];
        node.negative = tag == kArbitraryInteger;
        node.begin = Take();
        return;
      }
      case kPositiveInteger:
      case kNegativeInteger: {
        if (!More()) return Cut();
        Node& node = tree_.nodes[Open(NodeKind::Integer)];
        node.negative = tag == kNegativeInteger;
        node.length = Take();
        if (!Bytes(node.length, node.begin)) Cut();
        return;
      }
      case kPositiveFraction:
      case kNegativeFraction: {
        if (!More()) return Cut();
        Node& node = tree_.nodes[Open(NodeKind::Fraction)];
        node.negative = tag == kNegativeFraction;
        node.length = Take();
        if (!Bytes(node.length, node.begin) || !More()) return Cut();
        node.otherLength = Take();
        if (!Bytes(node.otherLength, node.other)) Cut();
        return;
      }
      case kFloat:
        if (!Bytes(9, tree_.nodes[Open(NodeKind::Float)].begin)) Cut();
        return;
      case kLocal:
        // A local variable or an argument: its name below.
        return Expression(depth + 1);
      case kExtended:
        return ExtendedEntry(depth);
      case kFunctionObject:
        return Block(depth + 1);
      default:
        return TableEntry(tag, depth);
    }
  }

  void ExtendedEntry(int depth) {
    if (!More()) return Cut();
    const unsigned char code = Take();
    switch (code) {
      case extended::kPolarComplex:
        return WithOperands(NodeKind::PolarComplex, false, 2, depth);
      case extended::kBinary:
        return WithOperands(NodeKind::Based, false, 1, depth, nullptr, 2);
      case extended::kHexadecimal:
        return WithOperands(NodeKind::Based, false, 1, depth, nullptr, 16);
      case extended::kRowAugment:
        return WithOperands(NodeKind::RowAugment, false, 2, depth);
      default: {
        const Tag& tag = ExtendedTag(code);
        if (tag.form == Form::Unknown || tag.form == Form::Special) return Fail(kExtended, code);
        return Operation(tag, depth);
      }
    }
  }

  void TableEntry(unsigned char code, int depth) {
    switch (code) {
      case kList:
        return WithOperands(NodeKind::List, true, 0, depth);
      case kUserFunction:
      case kDerivativeOf: {
        const std::uint32_t index =
            Open(code == kUserFunction ? NodeKind::Call : NodeKind::Derivative);
        Expression(depth + 1);  // the name
        if (failed_) return;
        Close(index, 1 + ToEnd(depth + 1));
        return;
      }
      case kSubscript:
        return WithOperands(NodeKind::Subscript, true, 0, depth);
      case kDegreesMinutesSeconds:
        return WithOperands(NodeKind::Dms, true, 0, depth);
      case kComplex:
        return WithOperands(NodeKind::Complex, false, 2, depth);
      case kPolarVector:
      case kCylindricalVector:
      case kSphericalVector:
        return WithOperands(NodeKind::Vector, false, 1, depth, nullptr, code);
      default: {
        const Tag& tag = PrimaryTag(code);
        if (tag.form == Form::Unknown || tag.form == Form::Special) return Fail(0, code);
        return Operation(tag, depth);
      }
    }
  }

  void Operation(const Tag& tag, int depth) {
    if (tag.form == Form::Atom) {
      tree_.nodes[Open(NodeKind::Text)].tag = &tag;
      return;
    }
    WithOperands(NodeKind::Operation, tag.endsWithE5, tag.operands, depth, &tag);
  }

  // A function object: DC already taken, then three flags, the arguments down to E5, and
  // the statements down to E9. Its `length` is how many of its children are arguments.
  void Block(int depth) {
    if (top_ < 3) return Cut();
    top_ -= 3;
    const std::uint32_t index = Open(NodeKind::Block);
    std::uint32_t arguments = ToEnd(depth + 1);
    if (failed_) {
      // Arguments that cannot be read are one mark; the statements are read all the same.
      MarkInstead(index + 1);
      arguments = 1;
      while (More() && Peek() != kEnd) Take();
      if (More()) Take();
    }
    tree_.nodes[index].length = arguments;
    Close(index, arguments + Statements(depth + 1));
  }

  // The statements and what separates them, down to the E9; how many items they make.
  std::uint32_t Statements(int depth) {
    std::uint32_t count = 0;
    while (true) {
      if (!More()) {
        // The data ended before the E9 that opens it: the text ends with a mark.
        Cut();
        failed_ = false;
        return count + 1;
      }
      const unsigned char byte = Peek();
      if (byte == kEndOfProgram) {
        Take();
        return count;
      }
      const std::uint32_t from = Size();
      if (byte == kNewLine || byte == kNextStatement) {
        Take();
        Node& node = tree_.nodes[Open(byte == kNewLine ? NodeKind::NewLine : NodeKind::Colon)];
        node.begin = More() ? Take() : 0;
      } else if (byte == kComment) {
        Comment();
      } else if (byte == kInstruction) {
        Instruction(depth);
      } else {
        Expression(depth);
      }
      if (failed_) {
        MarkInstead(from);
        // What is left of the statement is skipped, to the next line.
        while (More() && Peek() != kNewLine && Peek() != kEndOfProgram) Take();
      }
      ++count;
    }
  }

  void Comment() {
    Take();
    if (!More()) return Cut();
    const std::uint32_t index = Open(NodeKind::Comment);
    tree_.nodes[index].other = Take();
    if (!More() || Take() != 0) return Fail(0, kComment);
    if (!Between00(index)) Cut();
  }

  void Instruction(int depth) {
    Take();
    if (!More()) return Cut();
    const unsigned char code = Take();
    if (InstructionName(code).empty()) return Fail(kInstruction, code);
    if (InstructionHasJump(code)) {
      if (top_ < 2) return Cut();
      top_ -= 2;
    }
    const std::uint32_t index = Open(NodeKind::Instruction);
    tree_.nodes[index].begin = code;
    std::uint32_t count = 0;
    while (More() && !EndsArguments(Peek())) {
      Expression(depth + 1);
      if (failed_) return;
      ++count;
    }
    if (More() && Peek() == kEnd) Take();
    Close(index, count);
  }

  Tree tree_;
  std::size_t top_;  // the bytes [0, top_) are still to read
  bool failed_ = false;
  std::uint32_t mark_ = kCut;  // what the last entry that failed is marked with
};

}  // namespace

Tree ReadTree(std::string_view data) { return Reader(data).Read(); }

}  // namespace orbisk::tokens
