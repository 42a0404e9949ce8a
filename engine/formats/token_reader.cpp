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
    tree_.nodes.reserve(data.size() / 3 + 8);
    tree_.children.reserve(data.size() / 3 + 8);
    pending_.reserve(256);
  }

  Tree Read() {
    if (!More() || Take() != kFunctionObject) {
      tree_.root = Fail(0, kFunctionObject);
      tree_.cutShort = true;
      return std::move(tree_);
    }
    tree_.root = Block(0);
    return std::move(tree_);
  }

 private:
  bool More() const { return top_ > 0; }
  unsigned char Peek() const { return static_cast<unsigned char>(tree_.data[top_ - 1]); }
  unsigned char Take() { return static_cast<unsigned char>(tree_.data[--top_]); }
  std::uint32_t Top() const { return static_cast<std::uint32_t>(top_); }

  std::uint32_t Add(const Node& node) {
    tree_.nodes.push_back(node);
    return static_cast<std::uint32_t>(tree_.nodes.size() - 1);
  }

  // Gives `node` the children pushed since `mark`, in display order (reversed first when
  // `reverse`), and returns it.
  std::uint32_t Adopt(Node node, std::size_t mark, bool reverse = false) {
    node.children = static_cast<std::uint32_t>(tree_.children.size());
    node.childCount = static_cast<std::uint32_t>(pending_.size() - mark);
    if (reverse) std::reverse(pending_.begin() + static_cast<std::ptrdiff_t>(mark), pending_.end());
    tree_.children.insert(tree_.children.end(), pending_.begin() + static_cast<std::ptrdiff_t>(mark),
                          pending_.end());
    pending_.resize(mark);
    return Add(node);
  }

  // An entry that cannot be read: its mark, and the reading of this statement stops.
  std::uint32_t Fail(unsigned char prefix, unsigned char code) {
    const auto same = [&](const DetokenizedProgram::Unknown& u) {
      return u.prefix == prefix && u.code == code;
    };
    if (std::none_of(tree_.unknown.begin(), tree_.unknown.end(), same)) {
      tree_.unknown.push_back({prefix, code, top_});
    }
    return Mark(static_cast<std::uint32_t>(prefix << 8 | code));
  }
  // The data ended in the middle of an entry.
  std::uint32_t Cut() {
    tree_.cutShort = true;
    return Mark(kCut);
  }
  std::uint32_t Mark(std::uint32_t what) {
    failed_ = true;
    Node node;
    node.kind = NodeKind::Unknown;
    node.begin = what;
    lastUnknown_ = Add(node);
    return lastUnknown_;
  }

  // Codes between two 00, the upper one just taken: a name, a string, a comment.
  bool Between00(Node& node) {
    if (!More()) return false;
    const std::size_t start = tree_.data.rfind('\0', top_ - 1);
    if (start == std::string_view::npos) return false;
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

  // Operands down to an E5, which is taken.
  bool ToEnd(int depth) {
    while (More() && Peek() != kEnd) {
      Operand(depth);
      if (failed_) return false;
    }
    if (!More()) {
      Cut();
      return false;
    }
    Take();
    return true;
  }

  bool Operands(std::size_t count, int depth) {
    for (std::size_t i = 0; i < count && !failed_; ++i) Operand(depth);
    return !failed_;
  }

  // Reads an entry as an operand of the one being read.
  void Operand(int depth) { pending_.push_back(Expression(depth)); }

  std::uint32_t Expression(int depth) {
    if (!More()) return Cut();
    if (depth > kDeepest) return Mark(kCut);
    const unsigned char tag = Take();
    Node node;
    switch (tag) {
      case kName:
        node.kind = NodeKind::Name;
        return Between00(node) ? Add(node) : Cut();
      case kString:
        node.kind = NodeKind::String;
        if (!More() || Take() != 0) return Fail(0, kString);
        return Between00(node) ? Add(node) : Cut();
      case kSystemVariable: {
        if (!More()) return Cut();
        const unsigned char code = Take();
        if (SystemVariableName(code).empty()) return Fail(kSystemVariable, code);
        node.kind = NodeKind::Text;
        node.text = &SystemVariableName(code);
        return Add(node);
      }
      case kArbitraryReal:
      case kArbitraryInteger:
        if (!More()) return Cut();
        node.kind = NodeKind::Arbitrary;
        node.negative = tag == kArbitraryInteger;
        node.begin = Take();
        return Add(node);
      case kPositiveInteger:
      case kNegativeInteger:
        node.kind = NodeKind::Integer;
        node.negative = tag == kNegativeInteger;
        if (!More()) return Cut();
        node.length = Take();
        return Bytes(node.length, node.begin) ? Add(node) : Cut();
      case kPositiveFraction:
      case kNegativeFraction:
        node.kind = NodeKind::Fraction;
        node.negative = tag == kNegativeFraction;
        if (!More()) return Cut();
        node.length = Take();
        if (!Bytes(node.length, node.begin) || !More()) return Cut();
        node.otherLength = Take();
        if (!Bytes(node.otherLength, node.other)) return Cut();
        return Add(node);
      case kFloat:
        node.kind = NodeKind::Float;
        return Bytes(9, node.begin) ? Add(node) : Cut();
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

  std::uint32_t ExtendedEntry(int depth) {
    if (!More()) return Cut();
    const unsigned char code = Take();
    const Tag& tag = ExtendedTag(code);
    const std::size_t mark = pending_.size();
    Node node;
    switch (code) {
      case extended::kPolarComplex:
        node.kind = NodeKind::PolarComplex;
        return Operands(2, depth + 1) ? Adopt(node, mark, true) : lastUnknown_;
      case extended::kBinary:
      case extended::kHexadecimal:
        node.kind = NodeKind::Based;
        node.begin = code == extended::kBinary ? 2 : 16;
        return Operands(1, depth + 1) ? Adopt(node, mark) : lastUnknown_;
      case extended::kRowAugment:
        node.kind = NodeKind::RowAugment;
        return Operands(2, depth + 1) ? Adopt(node, mark) : lastUnknown_;
      default:
        if (tag.form == Form::Unknown || tag.form == Form::Special) return Fail(kExtended, code);
        return Operation(tag, depth);
    }
  }

  std::uint32_t TableEntry(unsigned char code, int depth) {
    const Tag& tag = PrimaryTag(code);
    const std::size_t mark = pending_.size();
    Node node;
    switch (code) {
      case kList:
        node.kind = NodeKind::List;
        return ToEnd(depth + 1) ? Adopt(node, mark) : lastUnknown_;
      case kUserFunction:
      case kDerivativeOf:
        node.kind = code == kUserFunction ? NodeKind::Call : NodeKind::Derivative;
        Operand(depth + 1);  // the name
        return !failed_ && ToEnd(depth + 1) ? Adopt(node, mark) : lastUnknown_;
      case kSubscript:
        node.kind = NodeKind::Subscript;
        return ToEnd(depth + 1) ? Adopt(node, mark) : lastUnknown_;
      case kDegreesMinutesSeconds:
        node.kind = NodeKind::Dms;
        return ToEnd(depth + 1) ? Adopt(node, mark) : lastUnknown_;
      case kComplex:
        node.kind = NodeKind::Complex;
        return Operands(2, depth + 1) ? Adopt(node, mark, true) : lastUnknown_;
      case kPolarVector:
      case kCylindricalVector:
      case kSphericalVector:
        node.kind = NodeKind::Vector;
        node.begin = code;
        return Operands(1, depth + 1) ? Adopt(node, mark) : lastUnknown_;
      default:
        if (tag.form == Form::Unknown || tag.form == Form::Special) return Fail(0, code);
        return Operation(tag, depth);
    }
  }

  std::uint32_t Operation(const Tag& tag, int depth) {
    Node node;
    node.tag = &tag;
    if (tag.form == Form::Atom) {
      node.kind = NodeKind::Text;
      return Add(node);
    }
    node.kind = NodeKind::Operation;
    const std::size_t mark = pending_.size();
    const bool read = tag.endsWithE5 ? ToEnd(depth + 1) : Operands(tag.operands, depth + 1);
    if (!read) return lastUnknown_;
    const bool reverse = tag.form == Form::Infix && !tag.topIsLeft;
    return Adopt(node, mark, reverse);
  }

  // A function object: DC already taken, then three flags, the arguments down to E5, and
  // the statements down to E9. Its `length` is how many of its children are arguments.
  std::uint32_t Block(int depth) {
    if (top_ < 3) return Cut();
    top_ -= 3;
    const std::size_t mark = pending_.size();
    Node node;
    node.kind = NodeKind::Block;
    if (!ToEnd(depth + 1)) {
      // Arguments that cannot be read are one mark; the statements are read all the same.
      failed_ = false;
      pending_.resize(mark);
      pending_.push_back(lastUnknown_);
      while (More() && Peek() != kEnd) Take();
      if (More()) Take();
    }
    node.length = static_cast<std::uint32_t>(pending_.size() - mark);
    Statements(depth + 1);
    return Adopt(node, mark);
  }

  void Statements(int depth) {
    while (true) {
      if (!More()) {
        // The data ended before the E9 that opens it: the text ends with a mark.
        pending_.push_back(Cut());
        failed_ = false;
        return;
      }
      const unsigned char byte = Peek();
      if (byte == kEndOfProgram) {
        Take();
        return;
      }
      const std::size_t mark = pending_.size();
      std::uint32_t statement = 0;
      if (byte == kNewLine || byte == kNextStatement) {
        Take();
        Node node;
        node.kind = byte == kNewLine ? NodeKind::NewLine : NodeKind::Colon;
        node.begin = More() ? Take() : 0;
        statement = Add(node);
      } else if (byte == kComment) {
        statement = Comment();
      } else if (byte == kInstruction) {
        statement = Instruction(depth);
      } else {
        statement = Expression(depth);
      }
      pending_.resize(mark);
      if (failed_) {
        statement = lastUnknown_;
        failed_ = false;
        // What is left of the statement is skipped, to the next line.
        while (More() && Peek() != kNewLine && Peek() != kEndOfProgram) Take();
      }
      pending_.push_back(statement);
    }
  }

  std::uint32_t Comment() {
    Take();
    Node node;
    node.kind = NodeKind::Comment;
    if (!More()) return Cut();
    node.other = Take();
    if (!More() || Take() != 0) return Fail(0, kComment);
    return Between00(node) ? Add(node) : Cut();
  }

  std::uint32_t Instruction(int depth) {
    Take();
    if (!More()) return Cut();
    const unsigned char code = Take();
    if (InstructionName(code).empty()) return Fail(kInstruction, code);
    if (InstructionHasJump(code) && top_ < 2) return Cut();
    if (InstructionHasJump(code)) top_ -= 2;
    Node node;
    node.kind = NodeKind::Instruction;
    node.begin = code;
    const std::size_t mark = pending_.size();
    while (More() && !EndsArguments(Peek())) {
      Operand(depth + 1);
      if (failed_) return lastUnknown_;
    }
    if (More() && Peek() == kEnd) Take();
    return Adopt(node, mark);
  }

  Tree tree_;
  std::size_t top_;  // the bytes [0, top_) are still to read
  std::vector<std::uint32_t> pending_;
  bool failed_ = false;
  std::uint32_t lastUnknown_ = 0;
};

}  // namespace

Tree ReadTree(std::string_view data) { return Reader(data).Read(); }

}  // namespace orbisk::tokens
