// What is wrong, if anything, with a single-variable file of these calculators.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "variable_file.hpp"

namespace orbisk {

struct Problem {
  enum class Kind {
    TooShort,             // found: the file's size
    UnknownSignature,     // text: the eight bytes found
    SignatureNotOfName,   // text: the signature; expected: the Model its name stands for
    FirstMarker,          // found: the two bytes, as a little-endian number
    EntryCount,           // found
    DataOffset,           // found
    SecondMarker,         // found: the two bytes, as a big-endian number
    FileSizeField,        // found: the field; expected: the real size
    VariableSizeDoesNotFit,  // found: the variable size; expected: what the file has room for
    TextWithoutEnd,
    Checksum,             // found: stored; expected: computed
    NotAText,             // found: the type
  };
  Problem(Kind what, std::uint64_t foundValue = 0, std::uint64_t expectedValue = 0,
          std::string bytes = {})
      : kind(what), found(foundValue), expected(expectedValue), text(std::move(bytes)) {}

  Kind kind;
  std::uint64_t found;
  std::uint64_t expected;
  std::string text;
};

// What a check learnt of a file.
struct FileReport {
  Signature signature = Signature::Unknown;
  std::string folder;
  std::string name;
  unsigned char type = 0;
  std::uint64_t size = 0;
  std::vector<Problem> problems;
  // The text variable, when the file is one with nothing wrong.
  std::optional<TextVariable> text;
};

// The first bytes of a file that a check needs: its header and the largest variable.
constexpr std::size_t kCheckedBytes =
    layout::kVariableData + layout::kMaxVariableSize + 2;

// Checks a file whose first bytes (at most kCheckedBytes) are `head`, whose real size is
// `size` and whose name is `path` (its extension tells the model it should be for).
FileReport CheckVariableFile(const std::string& head, std::uint64_t size, const std::string& path);

}  // namespace orbisk
