// The entries of a tokenized program, written (or only skipped, to find where they end)
// with the parentheses their operators' priorities call for.
#include "token_numbers.hpp"
#include "token_walker.hpp"

namespace orbisk::tokens::walker {

// How tightly the entry on top binds, read from its tags alone.
std::uint8_t Walker::PriorityOnTop() const {
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

// The entry on top, written in parentheses when it binds less than `needed`.
void Walker::Operand(std::uint8_t needed, int depth) {
  const bool parenthesized = PriorityOnTop() < needed;
  if (parenthesized) Put('(');
  Entry<kWrite>(depth);
  if (parenthesized) Put(')');
}

template <bool Write>
void Walker::Item(std::uint8_t needed, int depth) {
  if constexpr (Write) {
    Operand(needed, depth);
  } else {
    Entry<kSkip>(depth);
  }
}

// Operands down to their E5, joined by commas.
template <bool Write>
void Walker::Items(int depth) {
  for (int i = 0; !EndOfItems(); ++i) {
    if (Write && i > 0) Put(',');
    Item<Write>(0, depth);
    if (failed_) return;
  }
}

// The entry on top, whole.
template <bool Write>
void Walker::Entry(int depth) {
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
void Walker::EntryOnTop(int depth) {
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
      const std::string_view name = SystemVariableName(code);
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
void Walker::ExtendedEntry(int depth) {
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
void Walker::TableEntry(unsigned char code, int depth) {
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

template <bool Write, typename Between>
void Walker::DeeperFirst(int depth, std::uint8_t deeperNeeds, std::uint8_t topNeeds,
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
void Walker::Operation(const Tag& tag, int depth) {
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
void Walker::List(int depth) {
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
int Walker::TakeList(int depth) {
  while (Take() == kLocal) ++depth;
  return depth;
}

// [r,∠θ], [r,∠θ,z] or [r,∠θ,∠φ]: the vector's one row, with its angles marked.
template <bool Write>
void Walker::Vector(unsigned char code, int depth) {
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
void Walker::Based(int depth, std::string_view prefix, unsigned base) {
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

// The statements write and skip entries too.
template void Walker::Item<kWrite>(std::uint8_t, int);
template void Walker::Item<kSkip>(std::uint8_t, int);
template void Walker::Items<kWrite>(int);
template void Walker::Items<kSkip>(int);
template void Walker::Entry<kWrite>(int);
template void Walker::Entry<kSkip>(int);
template void Walker::EntryOnTop<kWrite>(int);
template void Walker::EntryOnTop<kSkip>(int);
template void Walker::ExtendedEntry<kWrite>(int);
template void Walker::ExtendedEntry<kSkip>(int);
template void Walker::TableEntry<kWrite>(unsigned char, int);
template void Walker::TableEntry<kSkip>(unsigned char, int);
template void Walker::Operation<kWrite>(const Tag&, int);
template void Walker::Operation<kSkip>(const Tag&, int);
template void Walker::List<kWrite>(int);
template void Walker::List<kSkip>(int);
template void Walker::Vector<kWrite>(unsigned char, int);
template void Walker::Vector<kSkip>(unsigned char, int);
template void Walker::Based<kWrite>(int, std::string_view, unsigned);
template void Walker::Based<kSkip>(int, std::string_view, unsigned);

}  // namespace orbisk::tokens::walker
