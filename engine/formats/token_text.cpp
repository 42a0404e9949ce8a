// Writes a tokenized program as the calculator's program editor shows it, in one walk down
// its data from the end, as the calculator reads it.
//
// An entry's tag lies above its operands, and the operand right under the tag is mostly the
// first one written: such entries are written as they are read. Infix operators whose right
// operand lies on top (+ − * / → …) and complex numbers are written deeper operand first:
// the operand on top is skipped, the deeper one written, then the walk goes back up to write
// the top one. The same walker skips and writes, so the two never disagree on where an entry
// ends, and each skipped entry's extent is kept so nothing is skipped twice.
#include "token_text.hpp"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "token_numbers.hpp"
#include "token_tables.hpp"

namespace orbisk::tokens {
namespace {

using namespace primary;

// Deeper than any program a calculator could run: past it the data is not a program's.
constexpr int kDeepest = 400;

// What a mark stands for when the data ended, or nested too deep, before the entry.
constexpr std::uint32_t kCut = 0x10000;

// Skipped entries at least this long are remembered.
constexpr std::size_t kRememberedLength = 32;

constexpr char kLineEnd = 0x0D;
constexpr char kMinus = static_cast<char>(0xAD);      // −
constexpr char kAngle = static_cast<char>(0x9F);      // ∠
constexpr char kDegree = static_cast<char>(0xB0);     // °
constexpr char kCopyright = static_cast<char>(0xA9);  // ©, which opens a comment
constexpr char kImaginary = static_cast<char>(0x97);  // 𝒊

namespace instruction {
constexpr unsigned char kFunc = 0x17;
constexpr unsigned char kEndFunc = 0x0F;
constexpr unsigned char kElseIf = 0x39;
constexpr unsigned char kIfThen = 0x3B;
constexpr unsigned char kDefine = 0x86;
}  // namespace instruction

bool EndsArguments(unsigned char byte) {
  return byte == kEnd || byte == kComment || byte == kNextStatement || byte == kNewLine ||
         byte == kEndOfProgram;
}

bool IsInteger(int tag) { return tag == kPositiveInteger || tag == kNegativeInteger; }

// How tightly a written entry binds, for the parentheses around it.
std::uint8_t PriorityOfTag(const Tag& tag) {
  if (tag.form == Form::Unknown || tag.form == Form::Special || tag.form == Form::Function) {
    return kAtom;
  }
  return tag.priority;
}

// Each template below is instantiated twice: kWrite writes what it reads, kSkip only finds
// where the entry ends.
constexpr bool kWrite = true;
constexpr bool kSkip = false;

class Walker {
 public:
  explicit Walker(std::string_view data) : data_(data), top_(data.size()) {
    result_.codes.reserve(data.size() * 2 + 16);
  }

  ProgramCodes Program(bool function) {
    if (!More() || Take() != kFunctionObject) {
      Fail(0, kFunctionObject);
      result_.cutShort = true;
      WriteMark();
    } else {
      Root(function);
    }
    return std::move(result_);
  }

 private:
  bool More() const { return top_ > 0; }
  unsigned char At(std::size_t index) const { return static_cast<unsigned char>(data_[index]); }
  unsigned char Peek() const { return At(top_ - 1); }
  unsigned char Take() { return At(--top_); }

  void Put(char c) { result_.codes.push_back(c); }
  void Put(std::string_view text) { result_.codes.append(text); }
  void PutSpaces(unsigned count) {
    if (count > 0) result_.codes.append(count, ' ');
  }

  // An entry that cannot be read: the statement it is in becomes its mark.
  void Fail(unsigned char prefix, unsigned char code) {
    auto& unknown = result_.unknown;
    const auto same = [&](const DetokenizedProgram::Unknown& u) {
      return u.prefix == prefix && u.code == code;
    };
    if (std::none_of(unknown.begin(), unknown.end(), same)) {
      unknown.push_back({prefix, code, top_});
    }
    Stop(static_cast<std::uint32_t>(prefix << 8 | code));
  }
  // The data ended in the middle of an entry.
  void Cut() {
    result_.cutShort = true;
    Stop(kCut);
  }
  void Stop(std::uint32_t mark) {
    failed_ = true;
    mark_ = mark;
  }
  void WriteMark() {
    Put(static_cast<char>(kUnknownMark));
    if (mark_ == kCut) return;
    static constexpr char kHex[] = "0123456789ABCDEF";
    const unsigned prefix = mark_ >> 8;
    const unsigned code = mark_ & 0xFF;
    if (prefix != 0) {
      Put(kHex[prefix >> 4]);
      Put(kHex[prefix & 0xF]);
      Put(' ');
    }
    Put(kHex[code >> 4]);
    Put(kHex[code & 0xF]);
  }

  // The tag of the entry whose top is `top`, under the locals' F0 that may cover it; -1
  // when there is none.
  int TagUnderLocals(std::size_t top) const {
    while (top > 0 && At(top - 1) == kLocal) --top;
    return top > 0 ? At(top - 1) : -1;
  }

  // How tightly the entry on top binds, read from its tags alone.
  std::uint8_t PriorityOnTop() const {
    std::size_t top = top_;
    while (top > 0 && At(top - 1) == kLocal) --top;
    if (top == 0) return kAtom;
    const unsigned char tag = At(top - 1);
    switch (tag) {
      case kArbitraryInteger:
      case kNegativeInteger:
      case kNegativeFraction: return kNegation;
      case kPositiveFraction: return kProduct;
      case kComplex: return kSum;
      case kDegreesMinutesSeconds: return kPostfix;
      case kName:
      case kString:
      case kSystemVariable:
      case kArbitraryReal:
      case kPositiveInteger:
      case kFloat:
      case kList:
      case kUserFunction:
      case kDerivativeOf:
      case kSubscript:
      case kPolarVector:
      case kCylindricalVector:
      case kSphericalVector:
      case kFunctionObject: return kAtom;
      case kExtended: {
        if (top < 2) return kAtom;
        const unsigned char code = At(top - 2);
        if (code == extended::kPolarComplex || code == extended::kBinary ||
            code == extended::kHexadecimal || code == extended::kRowAugment) {
          return kAtom;
        }
        return PriorityOfTag(ExtendedTag(code));
      }
      default: return PriorityOfTag(PrimaryTag(tag));
    }
  }

  // Codes between two 00, the upper one just taken: a name, a string, a comment.
  bool Between00(std::string_view& codes) {
    if (!More()) return false;
    const std::size_t start = data_.rfind('\0', top_ - 1);
    if (start == std::string_view::npos) return false;
    codes = data_.substr(start + 1, top_ - start - 1);
    top_ = start;
    return true;
  }

  // `count` bytes just below, as a number's.
  bool Bytes(std::size_t count, std::string_view& bytes) {
    if (count > top_) return false;
    top_ -= count;
    bytes = data_.substr(top_, count);
    return true;
  }

  // Takes the E5 that ends a list of operands, if it is next; a cut when the data ended.
  bool EndOfItems() {
    if (!More()) {
      Cut();
      return true;
    }
    if (Peek() != kEnd) return false;
    Take();
    return true;
  }

  // The entry on top, written in parentheses when it binds less than `needed`.
  void Operand(std::uint8_t needed, int depth) {
    const bool parenthesized = PriorityOnTop() < needed;
    if (parenthesized) Put('(');
    Entry<kWrite>(depth);
    if (parenthesized) Put(')');
  }

  template <bool Write>
  void Item(std::uint8_t needed, int depth) {
    if constexpr (Write) {
      Operand(needed, depth);
    } else {
      Entry<kSkip>(depth);
    }
  }

  // Operands down to their E5, joined by commas.
  template <bool Write>
  void Items(int depth) {
    for (int i = 0; !EndOfItems(); ++i) {
      if (Write && i > 0) Put(',');
      Item<Write>(0, depth);
      if (failed_) return;
    }
  }

  // The entry on top, whole.
  template <bool Write>
  void Entry(int depth) {
    if (!More()) return Cut();
    if (depth > kDeepest) return Stop(kCut);
    const std::size_t top = top_;
    if constexpr (!Write) {
      const auto known = ends_.find(static_cast<std::uint32_t>(top));
      if (known != ends_.end()) {
        top_ = known->second;
        return;
      }
    }
    EntryOnTop<Write>(depth);
    // Long entries skipped are remembered: skipping again the top operand of an operator
    // nested in another's costs nothing then. Short ones are cheaper to walk again.
    if constexpr (!Write) {
      if (!failed_ && top - top_ >= kRememberedLength) {
        ends_.emplace(static_cast<std::uint32_t>(top), static_cast<std::uint32_t>(top_));
      }
    }
  }

  template <bool Write>
  void EntryOnTop(int depth) {
    const unsigned char tag = Take();
    std::string_view bytes;
    switch (tag) {
      case kName:
        if (!Between00(bytes)) return Cut();
        if (Write) Put(bytes);
        return;
      case kString:
        if (!More() || Take() != 0) return Fail(0, kString);
        if (!Between00(bytes)) return Cut();
        if (Write) {
          Put('"');
          Put(bytes);
          Put('"');
        }
        return;
      case kSystemVariable: {
        if (!More()) return Cut();
        const unsigned char code = Take();
        const std::string& name = SystemVariableName(code);
        if (name.empty()) return Fail(kSystemVariable, code);
        if (Write) Put(name);
        return;
      }
      case kArbitraryReal:
      case kArbitraryInteger: {
        if (!More()) return Cut();
        const char number = static_cast<char>(Take());
        if (Write) {
          Put(tag == kArbitraryInteger ? "@n" : "@");
          AppendDigits(result_.codes, std::string_view(&number, 1), 10);
        }
        return;
      }
      case kPositiveInteger:
      case kNegativeInteger:
        if (!More() || !Bytes(Take(), bytes)) return Cut();
        if (Write) {
          if (tag == kNegativeInteger) Put(kMinus);
          AppendDigits(result_.codes, bytes, 10);
        }
        return;
      case kPositiveFraction:
      case kNegativeFraction: {
        std::string_view denominator;
        if (!More() || !Bytes(Take(), bytes) || !More() || !Bytes(Take(), denominator)) {
          return Cut();
        }
        if (Write) {
          if (tag == kNegativeFraction) Put(kMinus);
          AppendDigits(result_.codes, bytes, 10);
          Put('/');
          AppendDigits(result_.codes, denominator, 10);
        }
        return;
      }
      case kFloat:
        if (!Bytes(9, bytes)) return Cut();
        if (Write) AppendFloat(result_.codes, bytes);
        return;
      case kLocal:
        // A local variable or an argument: its name below.
        return Entry<Write>(depth + 1);
      case kExtended: return ExtendedEntry<Write>(depth);
      case kFunctionObject: return Block<Write>(depth + 1);
      default: return TableEntry<Write>(tag, depth);
    }
  }

  template <bool Write>
  void ExtendedEntry(int depth) {
    if (!More()) return Cut();
    const unsigned char code = Take();
    switch (code) {
      case extended::kPolarComplex:
        // (r∠θ): the angle lies on top.
        if (Write) Put('(');
        DeeperFirst<Write>(depth + 1, kAtom, kAtom, kAngle);
        if (Write && !failed_) Put(')');
        return;
      case extended::kBinary: return Based<Write>(depth, "0b", 2);
      case extended::kHexadecimal: return Based<Write>(depth, "0h", 16);
      case extended::kRowAugment:
        if (Write) Put("augment(");
        Item<Write>(0, depth + 1);
        if (failed_) return;
        if (Write) Put(';');
        Item<Write>(0, depth + 1);
        if (Write && !failed_) Put(')');
        return;
      default: {
        const Tag& tag = ExtendedTag(code);
        if (tag.form == Form::Unknown || tag.form == Form::Special) return Fail(kExtended, code);
        return Operation<Write>(tag, depth);
      }
    }
  }

  template <bool Write>
  void TableEntry(unsigned char code, int depth) {
    switch (code) {
      case kList: return List<Write>(depth);
      case kUserFunction:
      case kDerivativeOf:
        // name(arguments) or name'(arguments): the name on top.
        Item<Write>(kAtom, depth + 1);
        if (failed_) return;
        if (Write) Put(code == kDerivativeOf ? "'(" : "(");
        Items<Write>(depth + 1);
        if (Write && !failed_) Put(')');
        return;
      case kSubscript:
        // a[i] or a[i,j]: the name, then the indices, down to an E5.
        if (EndOfItems()) return;
        Item<Write>(kAtom, depth + 1);
        if (failed_) return;
        if (Write) Put('[');
        Items<Write>(depth + 1);
        if (Write && !failed_) Put(']');
        return;
      case kDegreesMinutesSeconds: {
        static constexpr char kMarks[] = {kDegree, '\'', '"'};
        for (int i = 0; !EndOfItems(); ++i) {
          // Past three parts nothing is written.
          if (i < 3) {
            Item<Write>(kAtom, depth + 1);
            if (Write && !failed_) Put(kMarks[i]);
          } else {
            Entry<kSkip>(depth + 1);
          }
          if (failed_) return;
        }
        return;
      }
      case kComplex:
        // a+b*𝒊: the imaginary part on top.
        DeeperFirst<Write>(depth + 1, kSum, kProduct + 1, '+');
        if (Write && !failed_) {
          Put('*');
          Put(kImaginary);
        }
        return;
      case kPolarVector:
      case kCylindricalVector:
      case kSphericalVector: return Vector<Write>(code, depth);
      default: {
        const Tag& tag = PrimaryTag(code);
        if (tag.form == Form::Unknown || tag.form == Form::Special) return Fail(0, code);
        return Operation<Write>(tag, depth);
      }
    }
  }

  // Two operands, written deeper one first with `between` between them.
  template <bool Write, typename Between>
  void DeeperFirst(int depth, std::uint8_t deeperNeeds, std::uint8_t topNeeds,
                   const Between& between) {
    const std::size_t top = top_;
    Entry<kSkip>(depth);
    if (failed_) return;
    Item<Write>(deeperNeeds, depth);
    if (!Write || failed_) return;
    Put(between);
    const std::size_t bottom = top_;
    top_ = top;
    Operand(topNeeds, depth);
    top_ = bottom;
  }

  template <bool Write>
  void Operation(const Tag& tag, int depth) {
    const std::uint8_t p = tag.priority;
    switch (tag.form) {
      case Form::Atom:
        if (Write) Put(tag.name);
        return;
      case Form::Function:
        if (Write) Put(tag.name);  // it holds its "("
        if (tag.endsWithE5) {
          Items<Write>(depth + 1);
        } else {
          for (int i = 0; i < tag.operands; ++i) {
            if (Write && i > 0) Put(',');
            Item<Write>(0, depth + 1);
            if (failed_) return;
          }
        }
        if (Write && !failed_) Put(')');
        return;
      case Form::Prefix:
        if (Write) Put(tag.name);
        return Item<Write>(p, depth + 1);
      case Form::Postfix:
        Item<Write>(p, depth + 1);
        if (Write && !failed_) Put(tag.name);
        return;
      default: {
        // ^ and & group from the right (the calculator nests "a&b&c" as a&(b&c)), → not
        // at all, the others from the left.
        const bool fromRight = p == kPower || p == kAppend;
        const bool neither = p == kStore;
        const auto leftNeeds = static_cast<std::uint8_t>(p + (fromRight || neither));
        const auto rightNeeds = static_cast<std::uint8_t>(p + !fromRight);
        if (!tag.topIsLeft) return DeeperFirst<Write>(depth + 1, leftNeeds, rightNeeds, tag.name);
        Item<Write>(leftNeeds, depth + 1);
        if (failed_) return;
        if (Write) Put(tag.name);
        Item<Write>(rightNeeds, depth + 1);
      }
    }
  }

  // {a,b}, or a matrix [[a,b][c,d]] when every element is a list ([a,b] when one row).
  template <bool Write>
  void List(int depth) {
    if (!Write) return Items<kSkip>(depth + 1);
    const std::size_t top = top_;
    int rows = 0;
    bool matrix = true;
    while (!EndOfItems()) {
      matrix = matrix && TagUnderLocals(top_) == kList;
      Entry<kSkip>(depth + 1);
      if (failed_) return;
      ++rows;
    }
    if (failed_) return;
    const std::size_t bottom = top_;
    top_ = top;
    if (!matrix || rows == 0) {
      Put('{');
      Items<kWrite>(depth + 1);
      Put('}');
      return;
    }
    if (rows > 1) Put('[');
    while (!EndOfItems()) {
      Put('[');
      Items<kWrite>(TakeList(depth + 1) + 1);
      Put(']');
    }
    if (rows > 1) Put(']');
    top_ = bottom;
  }

  // Takes the tags of a list already walked, and the F0 above it; the list's depth.
  int TakeList(int depth) {
    while (Take() == kLocal) ++depth;
    return depth;
  }

  // [r,∠θ], [r,∠θ,z] or [r,∠θ,∠φ]: the vector's one row, with its angles marked.
  template <bool Write>
  void Vector(unsigned char code, int depth) {
    const std::size_t top = top_;
    Entry<kSkip>(depth + 1);
    if (!Write || failed_) return;
    const std::size_t bottom = top_;
    top_ = top;
    bool oneRow = false;
    int matrixDepth = depth + 1;
    if (TagUnderLocals(top_) == kList) {
      matrixDepth = TakeList(matrixDepth);
      if (TagUnderLocals(top_) == kList) {
        Entry<kSkip>(matrixDepth + 1);
        oneRow = Peek() == kEnd;
      }
    }
    top_ = top;
    if (!oneRow) return Operand(kAtom, depth + 1);
    const int rowDepth = TakeList(TakeList(depth + 1) + 1);
    Put('[');
    for (int i = 0; !EndOfItems(); ++i) {
      if (i > 0) Put(',');
      if (i == 1 || (i == 2 && code == kSphericalVector)) Put(kAngle);
      Operand(0, rowDepth + 1);
      if (failed_) return;
    }
    Put(']');
    top_ = bottom;
  }

  // 0b… or 0h…: an integer written in `base`, or what else lies below.
  template <bool Write>
  void Based(int depth, std::string_view prefix, unsigned base) {
    if (Write) Put(prefix);
    const int tag = TagUnderLocals(top_);
    if (!Write || !IsInteger(tag)) return Item<Write>(kAtom, depth + 1);
    // The integer's tag, then its length, then its bytes, under the locals' F0.
    std::size_t tagAt = top_ - 1;
    while (At(tagAt) == kLocal) --tagAt;
    Entry<kSkip>(depth + 1);
    if (failed_) return;
    const std::size_t length = At(tagAt - 1);
    if (tag == kNegativeInteger) Put(kMinus);
    AppendDigits(result_.codes, data_.substr(tagAt - 1 - length, length), base);
  }

  // A function object: DC already taken, then three flags, the arguments down to E5, and
  // the statements down to E9. Inside a program only its statements are written: its
  // arguments are in the line that defines it.
  template <bool Write>
  void Block(int depth) {
    if (top_ < 3) return Cut();
    top_ -= 3;
    SkipArguments(depth + 1);
    Statements<Write>(depth + 1);
  }

  void SkipArguments(int depth) {
    Items<kSkip>(depth);
    if (!failed_) return;
    failed_ = false;
    while (More() && Peek() != kEnd) Take();
    if (More()) Take();
  }

  void Root(bool function) {
    if (top_ < 3) {
      Cut();
      return WriteMark();
    }
    top_ -= 3;
    Put('(');
    const std::size_t arguments = result_.codes.size();
    Items<kWrite>(1);
    if (failed_) {
      // Arguments that cannot be read are one mark; the statements are read all the same.
      result_.codes.resize(arguments);
      WriteMark();
      failed_ = false;
      while (More() && Peek() != kEnd) Take();
      if (More()) Take();
    }
    Put(')');
    Put(kLineEnd);
    const bool oneExpression = function && !OpensWithFunc();
    if (oneExpression) {
      Put(InstructionName(instruction::kFunc));
      Put(kLineEnd);
    }
    Statements<kWrite>(1);
    if (oneExpression) {
      Put(kLineEnd);
      Put(InstructionName(instruction::kEndFunc));
    }
  }

  // Whether the first statement is a Func that can be read.
  bool OpensWithFunc() {
    if (top_ < 2 || Peek() != kInstruction || At(top_ - 2) != instruction::kFunc) return false;
    const std::size_t top = top_;
    Instruction<kSkip>(1);
    const bool read = !failed_;
    failed_ = false;
    top_ = top;
    return read;
  }

  // The statements and what separates them, down to the E9.
  template <bool Write>
  void Statements(int depth) {
    while (true) {
      if (!More()) {
        // The data ended before the E9 that opens it: the text ends with a mark.
        Cut();
        if (Write) WriteMark();
        failed_ = false;
        return;
      }
      const unsigned char byte = Peek();
      if (byte == kEndOfProgram) {
        Take();
        return;
      }
      const std::size_t from = result_.codes.size();
      if (byte == kNewLine || byte == kNextStatement) {
        Take();
        const unsigned spaces = More() ? Take() : 0;
        if (Write) {
          Put(byte == kNewLine ? kLineEnd : ':');
          PutSpaces(spaces);
        }
      } else if (byte == kComment) {
        Comment<Write>();
      } else if (byte == kInstruction) {
        Instruction<Write>(depth);
      } else {
        Entry<Write>(depth);
      }
      if (failed_) {
        if (Write) {
          result_.codes.resize(from);
          WriteMark();
        }
        failed_ = false;
        // What is left of the statement is skipped, to the next line.
        while (More() && Peek() != kNewLine && Peek() != kEndOfProgram) Take();
      }
    }
  }

  template <bool Write>
  void Comment() {
    Take();
    if (!More()) return Cut();
    const unsigned spaces = Take();
    if (!More() || Take() != 0) return Fail(0, kComment);
    std::string_view codes;
    if (!Between00(codes)) return Cut();
    if (Write) {
      Put(kCopyright);
      PutSpaces(spaces);
      Put(codes);
    }
  }

  template <bool Write>
  void Instruction(int depth) {
    Take();
    if (!More()) return Cut();
    const unsigned char code = Take();
    const std::string& name = InstructionName(code);
    if (name.empty()) return Fail(kInstruction, code);
    if (InstructionHasJump(code)) {
      if (top_ < 2) return Cut();
      top_ -= 2;
    }
    if (Write) {
      Put(name);
      if (code == instruction::kDefine && IsDefinition(depth + 1)) {
        // Define name=value, the value a whole function or program when it is one.
        Put(' ');
        Operand(0, depth + 1);
        Put('=');
        Operand(0, depth + 1);
      } else {
        if (More() && !EndsArguments(Peek())) Put(' ');
        for (int i = 0; More() && !EndsArguments(Peek()); ++i) {
          if (i > 0) Put(',');
          Operand(0, depth + 1);
          if (failed_) return;
        }
        if (code == instruction::kIfThen || code == instruction::kElseIf) Put(" Then");
      }
    } else {
      while (More() && !EndsArguments(Peek())) {
        Entry<kSkip>(depth + 1);
        if (failed_) return;
      }
    }
    if (More() && Peek() == kEnd) Take();
  }

  // Whether exactly two entries, a name and a value, lie below a Define.
  bool IsDefinition(int depth) {
    const std::size_t top = top_;
    int count = 0;
    while (More() && !EndsArguments(Peek()) && !failed_) {
      Entry<kSkip>(depth);
      ++count;
    }
    const bool two = count == 2 && !failed_;
    failed_ = false;
    top_ = top;
    return two;
  }

  std::string_view data_;
  std::size_t top_;  // the bytes [0, top_) are still to read
  ProgramCodes result_;
  bool failed_ = false;
  std::uint32_t mark_ = kCut;  // what the last entry that failed is marked with
  // Where each long entry already skipped ends, by where it starts.
  std::unordered_map<std::uint32_t, std::uint32_t> ends_;
};

}  // namespace

ProgramCodes WriteProgramCodes(std::string_view data, bool function) {
  return Walker(data).Program(function);
}

}  // namespace orbisk::tokens
