// Writes a tree of tokenized entries as the calculator's program editor shows them.
#include "token_numbers.hpp"
#include "token_tree.hpp"

namespace orbisk::tokens {
namespace {

constexpr char kLineEnd = 0x0D;
constexpr char kMinus = static_cast<char>(0xAD);      // −
constexpr char kAngle = static_cast<char>(0x9F);      // ∠
constexpr char kDegree = static_cast<char>(0xB0);     // °
constexpr char kCopyright = static_cast<char>(0xA9);  // ©, which opens a comment

namespace instruction {
constexpr unsigned char kFunc = 0x17;
constexpr unsigned char kEndFunc = 0x0F;
constexpr unsigned char kElseIf = 0x39;
constexpr unsigned char kIfThen = 0x3B;
constexpr unsigned char kDefine = 0x86;
}  // namespace instruction

void AppendSpaces(std::string& out, std::uint32_t count) {
  if (count > 0) out.append(count, ' ');
}

class Printer {
 public:
  explicit Printer(const Tree& tree) : tree_(tree) { out_.reserve(tree.data.size() * 2 + 16); }

  std::string Program(bool function) {
    const Node& root = tree_.nodes[0];
    if (root.kind != NodeKind::Block) {
      Write(0);
      return std::move(out_);
    }
    out_ += '(';
    std::uint32_t child = 1;
    for (std::uint32_t i = 0; i < root.length; ++i) {
      if (i > 0) out_ += ',';
      Expression(child, 0);
      child = Next(child);
    }
    out_ += ')';
    out_ += kLineEnd;
    const bool oneExpression = function && !OpensWith(0, instruction::kFunc);
    if (oneExpression) {
      out_ += InstructionName(instruction::kFunc);
      out_ += kLineEnd;
    }
    Statements(0);
    if (oneExpression) {
      out_ += kLineEnd;
      out_ += InstructionName(instruction::kEndFunc);
    }
    return std::move(out_);
  }

 private:
  const Node& At(std::uint32_t index) const { return tree_.nodes[index]; }
  // The node after the subtree of `index`: its next sibling.
  std::uint32_t Next(std::uint32_t index) const { return index + tree_.nodes[index].subtree; }
  std::string_view Bytes(std::uint32_t begin, std::uint32_t length) const {
    return tree_.data.substr(begin, length);
  }

  // The first statement of a block: the child after its arguments.
  std::uint32_t FirstStatement(std::uint32_t block) const {
    std::uint32_t child = block + 1;
    for (std::uint32_t i = 0; i < At(block).length; ++i) child = Next(child);
    return child;
  }

  bool OpensWith(std::uint32_t block, unsigned char code) const {
    if (At(block).childCount == At(block).length) return false;
    const Node& first = At(FirstStatement(block));
    return first.kind == NodeKind::Instruction && first.begin == code;
  }

  void Statements(std::uint32_t block) {
    std::uint32_t child = FirstStatement(block);
    for (std::uint32_t i = At(block).length; i < At(block).childCount; ++i) {
      Statement(child);
      child = Next(child);
    }
  }

  void Statement(std::uint32_t index) {
    const Node& node = At(index);
    switch (node.kind) {
      case NodeKind::NewLine:
        out_ += kLineEnd;
        AppendSpaces(out_, node.begin);
        return;
      case NodeKind::Colon:
        out_ += ':';
        AppendSpaces(out_, node.begin);
        return;
      case NodeKind::Comment:
        out_ += kCopyright;
        AppendSpaces(out_, node.other);
        out_ += Bytes(node.begin, node.length);
        return;
      case NodeKind::Instruction:
        Instruction(index);
        return;
      default:
        Expression(index, 0);
    }
  }

  void Instruction(std::uint32_t index) {
    const Node& node = At(index);
    const auto code = static_cast<unsigned char>(node.begin);
    out_ += InstructionName(code);
    if (code == instruction::kDefine && node.childCount == 2) {
      out_ += ' ';
      const std::uint32_t name = index + 1;
      Expression(name, 0);
      out_ += '=';
      const std::uint32_t value = Next(name);
      if (At(value).kind == NodeKind::Block) {
        Statements(value);
      } else {
        Expression(value, 0);
      }
      return;
    }
    if (node.childCount > 0) out_ += ' ';
    Arguments(index, 0);
    if (code == instruction::kIfThen || code == instruction::kElseIf) out_ += " Then";
  }

  // The children of `index` from the `first`, joined by commas.
  void Arguments(std::uint32_t index, std::uint32_t first) {
    std::uint32_t child = index + 1;
    for (std::uint32_t i = 0; i < At(index).childCount; ++i) {
      if (i > first) out_ += ',';
      if (i >= first) Expression(child, 0);
      child = Next(child);
    }
  }

  static std::uint8_t PriorityOf(const Node& node) {
    switch (node.kind) {
      case NodeKind::Text:
        return node.tag != nullptr ? node.tag->priority : std::uint8_t{kAtom};
      case NodeKind::Integer:
      case NodeKind::Float:
      case NodeKind::Arbitrary:
        return node.negative ? kNegation : kAtom;
      case NodeKind::Fraction:
        return node.negative ? kNegation : kProduct;
      case NodeKind::Operation:
        return node.tag->form == Form::Function ? std::uint8_t{kAtom} : node.tag->priority;
      case NodeKind::Complex:
        return kSum;
      case NodeKind::Dms:
        return kPostfix;
      default:
        return kAtom;
    }
  }

  void Expression(std::uint32_t index, std::uint8_t needed) {
    const bool parenthesized = PriorityOf(At(index)) < needed;
    if (parenthesized) out_ += '(';
    Write(index);
    if (parenthesized) out_ += ')';
  }

  void Write(std::uint32_t index) {
    const Node& node = At(index);
    switch (node.kind) {
      case NodeKind::Text:
        out_ += node.tag != nullptr ? node.tag->name : *node.text;
        return;
      case NodeKind::Name:
        out_ += Bytes(node.begin, node.length);
        return;
      case NodeKind::String:
        out_ += '"';
        out_ += Bytes(node.begin, node.length);
        out_ += '"';
        return;
      case NodeKind::Integer:
        if (node.negative) out_ += kMinus;
        AppendDigits(out_, Bytes(node.begin, node.length), 10);
        return;
      case NodeKind::Fraction:
        if (node.negative) out_ += kMinus;
        AppendDigits(out_, Bytes(node.begin, node.length), 10);
        out_ += '/';
        AppendDigits(out_, Bytes(node.other, node.otherLength), 10);
        return;
      case NodeKind::Float:
        AppendFloat(out_, Bytes(node.begin, 9));
        return;
      case NodeKind::Arbitrary: {
        out_ += node.negative ? "@n" : "@";
        const char number = static_cast<char>(node.begin);
        AppendDigits(out_, std::string_view(&number, 1), 10);
        return;
      }
      case NodeKind::Operation:
        Operation(index);
        return;
      default:
        Composite(index);
    }
  }

  void Composite(std::uint32_t index) {
    const Node& node = At(index);
    const std::uint32_t first = index + 1;
    switch (node.kind) {
      case NodeKind::List:
        List(index);
        return;
      case NodeKind::Subscript:
        if (node.childCount == 0) return;
        Expression(first, kAtom);
        out_ += '[';
        Arguments(index, 1);
        out_ += ']';
        return;
      case NodeKind::Call:
      case NodeKind::Derivative:
        if (node.childCount == 0) return;
        Expression(first, kAtom);
        if (node.kind == NodeKind::Derivative) out_ += '\'';
        out_ += '(';
        Arguments(index, 1);
        out_ += ')';
        return;
      case NodeKind::Dms: {
        static constexpr char kMarks[] = {kDegree, '\'', '"'};
        std::uint32_t child = first;
        for (std::uint32_t i = 0; i < node.childCount && i < 3; ++i, child = Next(child)) {
          Expression(child, kAtom);
          out_ += kMarks[i];
        }
        return;
      }
      case NodeKind::Complex:
        // Read imaginary part first: the real one is the deeper.
        Expression(Next(first), kSum);
        out_ += '+';
        Expression(first, kProduct + 1);
        out_ += '*';
        out_ += static_cast<char>(0x97);  // 𝒊
        return;
      case NodeKind::PolarComplex:
        // Read angle first.
        out_ += '(';
        Expression(Next(first), kAtom);
        out_ += kAngle;
        Expression(first, kAtom);
        out_ += ')';
        return;
      case NodeKind::Based:
        Based(index);
        return;
      case NodeKind::RowAugment:
        out_ += "augment(";
        Expression(first, 0);
        out_ += ';';
        Expression(Next(first), 0);
        out_ += ')';
        return;
      case NodeKind::Vector:
        Vector(index);
        return;
      case NodeKind::Block:
        Statements(index);
        return;
      case NodeKind::Instruction:
        Instruction(index);
        return;
      case NodeKind::Unknown:
        Unknown(node);
        return;
      default:
        Statement(index);
    }
  }

  void Operation(std::uint32_t index) {
    const Tag& tag = *At(index).tag;
    const std::uint8_t p = tag.priority;
    const std::uint32_t first = index + 1;
    switch (tag.form) {
      case Form::Function:
        out_ += tag.name;
        Arguments(index, 0);
        out_ += ')';
        return;
      case Form::Prefix:
        out_ += tag.name;
        Expression(first, p);
        return;
      case Form::Postfix:
        Expression(first, p);
        out_ += tag.name;
        return;
      default: {
        // ^ and & group from the right (the calculator nests "a&b&c" as a&(b&c)), → not
        // at all, the others from the left.
        const bool fromRight = p == kPower || p == kAppend;
        const bool neither = p == kStore;
        const std::uint32_t second = Next(first);
        Expression(tag.topIsLeft ? first : second,
                   static_cast<std::uint8_t>(p + (fromRight || neither)));
        out_ += tag.name;
        Expression(tag.topIsLeft ? second : first, static_cast<std::uint8_t>(p + !fromRight));
      }
    }
  }

  // {a,b}, or a matrix [[a,b][c,d]] when every element is a list ([a,b] when one row).
  void List(std::uint32_t index) {
    const Node& node = At(index);
    bool matrix = node.childCount > 0;
    std::uint32_t child = index + 1;
    for (std::uint32_t i = 0; i < node.childCount && matrix; ++i, child = Next(child)) {
      matrix = At(child).kind == NodeKind::List;
    }
    if (!matrix) {
      out_ += '{';
      Arguments(index, 0);
      out_ += '}';
      return;
    }
    if (node.childCount > 1) out_ += '[';
    child = index + 1;
    for (std::uint32_t i = 0; i < node.childCount; ++i, child = Next(child)) {
      out_ += '[';
      Arguments(child, 0);
      out_ += ']';
    }
    if (node.childCount > 1) out_ += ']';
  }

  // [r,∠θ], [r,∠θ,z] or [r,∠θ,∠φ]: the vector's one row, with its angles marked.
  void Vector(std::uint32_t index) {
    const std::uint32_t matrix = index + 1;
    const std::uint32_t row = matrix + 1;
    if (At(matrix).kind != NodeKind::List || At(matrix).childCount != 1 ||
        At(row).kind != NodeKind::List) {
      Expression(matrix, kAtom);
      return;
    }
    out_ += '[';
    std::uint32_t child = row + 1;
    for (std::uint32_t i = 0; i < At(row).childCount; ++i, child = Next(child)) {
      if (i > 0) out_ += ',';
      const bool angle = i == 1 || (i == 2 && At(index).begin == primary::kSphericalVector);
      if (angle) out_ += kAngle;
      Expression(child, 0);
    }
    out_ += ']';
  }

  void Based(std::uint32_t index) {
    const Node& node = At(index);
    out_ += node.begin == 2 ? "0b" : "0h";
    const Node& number = At(index + 1);
    if (number.kind != NodeKind::Integer) {
      Expression(index + 1, kAtom);
      return;
    }
    if (number.negative) out_ += kMinus;
    AppendDigits(out_, Bytes(number.begin, number.length), node.begin);
  }

  void Unknown(const Node& node) {
    out_ += static_cast<char>(kUnknownMark);
    if (node.begin == kCut) return;
    static constexpr char kHex[] = "0123456789ABCDEF";
    const unsigned prefix = node.begin >> 8;
    const unsigned code = node.begin & 0xFF;
    if (prefix != 0) {
      out_ += kHex[prefix >> 4];
      out_ += kHex[prefix & 0xF];
      out_ += ' ';
    }
    out_ += kHex[code >> 4];
    out_ += kHex[code & 0xF];
  }

  const Tree& tree_;
  std::string out_;
};

}  // namespace

std::string PrintTree(const Tree& tree, bool function) { return Printer(tree).Program(function); }

}  // namespace orbisk::tokens
