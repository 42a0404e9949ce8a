// Writes a tokenized program as the calculator's program editor shows it: its arguments,
// then its statements and what separates them, each line's indentation kept.
#include "token_text.hpp"

#include "token_walker.hpp"

namespace orbisk::tokens {
namespace walker {

ProgramCodes Walker::Program(bool function) {
  if (!More() || Take() != kFunctionObject) {
    Fail(0, kFunctionObject);
    result_.cutShort = true;
    WriteMark();
  } else {
    Root(function);
  }
  HandOn(1);
  return std::move(result_);
}

// A function object: DC already taken, then three flags, the arguments down to E5, and
// the statements down to E9. Inside a program only its statements are written: its
// arguments are in the line that defines it.
template <bool Write>
void Walker::Block(int depth) {
  if (top_ < 3) return Cut();
  top_ -= 3;
  SkipArguments(depth + 1);
  Statements<Write>(depth + 1);
}

void Walker::SkipArguments(int depth) {
  Items<kSkip>(depth);
  if (!failed_) return;
  failed_ = false;
  while (More() && Peek() != kEnd) Take();
  if (More()) Take();
}

void Walker::Root(bool function) {
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
bool Walker::OpensWithFunc() {
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
void Walker::Statements(int depth) {
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
    // Between two statements of the program itself, nothing written is rewound.
    if (Write && depth == 1) HandOn(kPieceLength);
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
void Walker::Comment() {
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
void Walker::Instruction(int depth) {
  Take();
  if (!More()) return Cut();
  const unsigned char code = Take();
  const std::string_view name = InstructionName(code);
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
bool Walker::IsDefinition(int depth) {
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

// The entries hold blocks of statements too (a function defined inside a program).
template void Walker::Block<kWrite>(int);
template void Walker::Block<kSkip>(int);
template void Walker::Statements<kWrite>(int);
template void Walker::Statements<kSkip>(int);
template void Walker::Comment<kWrite>();
template void Walker::Comment<kSkip>();
template void Walker::Instruction<kWrite>(int);
template void Walker::Instruction<kSkip>(int);

}  // namespace walker

ProgramCodes WriteProgramCodes(std::string_view data, bool function) {
  return walker::Walker(data).Program(function);
}

ProgramCodes HandOnProgramCodes(std::string_view data, bool function, const CodesSink& sink) {
  return walker::Walker(data, &sink).Program(function);
}

}  // namespace orbisk::tokens
