// The walker that writes a tokenized program as the calculator's program editor shows it, in
// one walk down its data from the end, as the calculator reads it: the statements are
// walked in token_text.cpp, the entries in token_entries.cpp. Only those two include it.
//
// An entry's tag lies above its operands, and the operand right under the tag is mostly the
// first one written: such entries are written as they are read. Infix operators whose right
// operand lies on top (+ − * / → …) and complex numbers are written deeper operand first:
// the operand on top is skipped, the deeper one written, then the walk goes back up to write
// the top one. The same walker skips and writes, so the two never disagree on where an entry
// ends, and each skipped entry's extent is kept so nothing is skipped twice.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "token_tables.hpp"
#include "token_text.hpp"

namespace orbisk::tokens::walker {

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

inline bool EndsArguments(unsigned char byte) {
  return byte == kEnd || byte == kComment || byte == kNextStatement || byte == kNewLine ||
         byte == kEndOfProgram;
}

inline bool IsInteger(int tag) { return tag == kPositiveInteger || tag == kNegativeInteger; }

// How tightly a written entry binds, for the parentheses around it.
inline std::uint8_t PriorityOfTag(const Tag& tag) {
  if (tag.form == Form::Unknown || tag.form == Form::Special || tag.form == Form::Function) {
    return kAtom;
  }
  return tag.priority;
}

// Each template below is instantiated twice: kWrite writes what it reads, kSkip only finds
// where the entry ends.
constexpr bool kWrite = true;
constexpr bool kSkip = false;

// Codes handed on are given in pieces of about this many.
constexpr std::size_t kPieceLength = 16 * 1024;

class Walker {
 public:
  // With a `sink`, the codes are handed to it between two statements of the program once
  // they are a piece long, and at the end: what a failed statement rewinds is still held.
  explicit Walker(std::string_view data, const CodesSink* sink = nullptr)
      : data_(data), top_(data.size()), sink_(sink) {
    result_.codes.reserve(sink != nullptr ? kPieceLength * 2 : data.size() * 2 + 16);
  }

  ProgramCodes Program(bool function);

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
  // Hands the codes written so far to the sink, if there is one and they are long enough.
  void HandOn(std::size_t atLeast) {
    if (sink_ == nullptr || result_.codes.size() < atLeast) return;
    (*sink_)(result_.codes);
    result_.codes.clear();
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
  std::uint8_t PriorityOnTop() const;

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
  void Operand(std::uint8_t needed, int depth);

  template <bool Write>
  void Item(std::uint8_t needed, int depth);

  // Operands down to their E5, joined by commas.
  template <bool Write>
  void Items(int depth);

  // The entry on top, whole.
  template <bool Write>
  void Entry(int depth);

  template <bool Write>
  void EntryOnTop(int depth);

  template <bool Write>
  void ExtendedEntry(int depth);

  template <bool Write>
  void TableEntry(unsigned char code, int depth);

  // Two operands, written deeper one first with `between` between them.
  template <bool Write, typename Between>
  void DeeperFirst(int depth, std::uint8_t deeperNeeds, std::uint8_t topNeeds,
                   const Between& between);

  template <bool Write>
  void Operation(const Tag& tag, int depth);

  // {a,b}, or a matrix [[a,b][c,d]] when every element is a list ([a,b] when one row).
  template <bool Write>
  void List(int depth);

  // Takes the tags of a list already walked, and the F0 above it; the list's depth.
  int TakeList(int depth);

  // [r,∠θ], [r,∠θ,z] or [r,∠θ,∠φ]: the vector's one row, with its angles marked.
  template <bool Write>
  void Vector(unsigned char code, int depth);

  // 0b… or 0h…: an integer written in `base`, or what else lies below.
  template <bool Write>
  void Based(int depth, std::string_view prefix, unsigned base);

  // A function object: DC already taken, then three flags, the arguments down to E5, and
  // the statements down to E9. Inside a program only its statements are written: its
  // arguments are in the line that defines it.
  template <bool Write>
  void Block(int depth);

  void SkipArguments(int depth);

  void Root(bool function);

  // Whether the first statement is a Func that can be read.
  bool OpensWithFunc();

  // The statements and what separates them, down to the E9.
  template <bool Write>
  void Statements(int depth);

  template <bool Write>
  void Comment();

  template <bool Write>
  void Instruction(int depth);

  // Whether exactly two entries, a name and a value, lie below a Define.
  bool IsDefinition(int depth);

  std::string_view data_;
  std::size_t top_;  // the bytes [0, top_) are still to read
  const CodesSink* sink_;
  ProgramCodes result_;
  bool failed_ = false;
  std::uint32_t mark_ = kCut;  // what the last entry that failed is marked with
  // Where each long entry already skipped ends, by where it starts.
  std::unordered_map<std::uint32_t, std::uint32_t> ends_;
};

}  // namespace orbisk::tokens::walker
