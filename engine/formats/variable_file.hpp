// The variable files of the TI-89, TI-92 Plus and Voyager 200 as a value: a header (the
// signature, a folder, a comment) and a list of entries, each a variable with its folder,
// name, type, attribute and data. A single-variable file has one entry; a group file has
// several, their folders announced by folder entries before them. Parse and Write are
// each other's inverse on every file Parse accepts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calculator_text.hpp"
#include "model.hpp"
#include "variable_types.hpp"

namespace orbisk {

namespace layout {
constexpr std::size_t kSignature = 0x00;
constexpr std::size_t kMarker = 0x08;  // 01 00
constexpr std::size_t kFolder = 0x0A;
constexpr std::size_t kComment = 0x12;
constexpr std::size_t kCommentLength = 40;
constexpr std::size_t kEntryCount = 0x3A;
constexpr std::size_t kFirstEntry = 0x3C;
constexpr std::size_t kEntrySize = 16;  // offset 4, name 8, type, attribute, 2 more
constexpr std::size_t kDataOffsetField = 0x3C;
constexpr std::size_t kName = 0x40;
constexpr std::size_t kType = 0x48;
constexpr std::size_t kAttribute = 0x49;
constexpr std::size_t kFileSize = 0x4C;
constexpr std::size_t kSecondMarker = 0x50;  // A5 5A
constexpr std::size_t kData = 0x52;          // four zero bytes, then the variable size
constexpr std::size_t kVariableSize = 0x56;  // big-endian
constexpr std::size_t kVariableData = 0x58;
constexpr std::size_t kNameLength = 8;
// A backup has no variable size: its memory image runs from here to its checksum.
constexpr std::size_t kBackupData = 0x52;
// A variable holds at most 65,535 bytes: for a text, its cursor, terminator and tag too.
constexpr std::size_t kMaxVariableSize = 0xFFFF;
constexpr std::size_t kTextOverhead = orbisk::kTextOverhead;
}  // namespace layout

struct VariableEntry {
  std::string folder;  // the calculator folder the variable is in
  std::string name;    // at most eight codes
  unsigned char type = types::kText;
  unsigned char attribute = 0;  // 0 none, 1 locked, 2 or 3 archived
  std::string data;             // the variable's bytes, between its size and its checksum
  // Bytes whose use no calculator documents, kept as found: the two after the attribute in
  // the entry, and the four before the variable's size.
  std::uint16_t reserved = 0;
  std::uint32_t lead = 0;

  bool operator==(const VariableEntry& other) const {
    return folder == other.folder && name == other.name && type == other.type &&
           attribute == other.attribute && data == other.data && reserved == other.reserved &&
           lead == other.lead;
  }
};

// A variable as errors and problems name it: its folder, "\", its name (codes).
inline std::string QualifiedName(const VariableEntry& entry) {
  return entry.folder + '\\' + entry.name;
}

struct VariableFile {
  Signature signature = Signature::Ti92Plus;
  std::string folder = "main";  // a single variable's own folder; a group's default one
  std::string comment;          // at most forty bytes
  std::vector<VariableEntry> entries;
  // Written as a group, with folder entries, even when it holds one variable.
  bool group = false;

  bool IsGroup() const { return group || entries.size() != 1; }
  bool operator==(const VariableFile& other) const {
    return signature == other.signature && folder == other.folder && comment == other.comment &&
           entries == other.entries && group == other.group;
  }
};

// What is wrong with a file, each problem with what was found and what was expected.
struct Problem {
  enum class Kind {
    TooShort,                // found: the file's size
    UnknownSignature,        // text: the eight bytes found
    SignatureNotOfName,      // text: the signature; expected: the Model its name stands for;
                             // found: the type held (the folder type for a group)
    FirstMarker,             // found: the two bytes, as a little-endian number
    EntryCount,              // found
    DataOffset,              // found
    SecondMarker,            // found: the two bytes, as a big-endian number
    FileSizeField,           // found: the field; expected: the real size
    VariableSizeDoesNotFit,  // found: the variable size; expected: what the file has room for
    TextWithoutEnd,
    TextHoldsNul,         // found: the line, expected: the column of a 00 in a text
    Checksum,             // found: stored; expected: computed
    NotAText,             // found: the type
    EntryTable,           // found: the entry (from 1); expected: the EntryFault
    EntryName,            // found: the entry; text: its name, which no file may take
    DuplicateName,        // found: the entry; expected: the earlier one with its name
    GroupTooLarge,        // found: the size of a group or backup; expected: the largest read
    ProgramEnd,           // text: the last bytes: neither a program's in text form nor tokenized
    ProgramKindTag,       // found: the tag (19 Prgm, 17 Func); expected: the type's
    ProgramNotToParse,    // found: the flag, without "to parse", of a program in text form
    ProgramTextHoldsNul,  // found: the line, expected: the column of a 00 in the text
    // Notes: what real files hold that is no damage.
    TrailingBytes,     // found: how many bytes follow the checksum the header ends at
    OldLinkSignature,  // text: the signature the old link software gave a TI-89 file
  };
  Problem(Kind what, std::uint64_t foundValue = 0, std::uint64_t expectedValue = 0,
          std::string bytes = {})
      : kind(what), found(foundValue), expected(expectedValue), text(std::move(bytes)) {}

  Kind kind;
  std::uint64_t found;
  std::uint64_t expected;
  std::string text;
  // In a group, the variable a problem of its data is about: its folder and name (codes).
  std::string variable;
};

// What is wrong with an entry of a group's table.
enum class EntryFault : std::uint8_t {
  Offset,           // its data is not where the previous entry's ends: a gap or an overlap
  PastTheEnd,       // its data would lie past the end of the file
  WithoutFolder,    // a variable with no folder entry before it
  FolderCount,      // a folder entry announcing no variable, or more than follow it
  FolderHoldsData,  // a folder entry, which holds no data, followed by data
  FolderRepeated,   // the folder of the variables just before it, named again
};

struct ParsedFile {
  VariableFile file;  // as far as it could be read
  std::vector<Problem> problems;
  std::vector<Problem> notes;    // what is unusual but sound: bytes after the end
  std::uint32_t entryCount = 0;  // the count the header announces, folder entries included
};

// Reads a file whose first bytes are `head` (all of it, or a part when it is larger than a
// reader takes in) and whose real size is `size`. The file is valid when no problem is found.
// Without `keepData` the variables' data is checked but not kept, for a reader that only
// wants to know what is wrong.
ParsedFile ParseVariableFile(std::string_view head, std::uint64_t size, bool keepData = true);
// The whole file. One entry makes a single-variable file, with its folder in the header;
// several make a group, with a folder entry before each run of variables of one folder.
std::string WriteVariableFile(const VariableFile& file);

// The 16-bit sum these files protect each variable with.
std::uint16_t Checksum(const unsigned char* bytes, std::size_t count);

// A new single-variable file for `model` holding a text, with the comment of a file made
// for that model (see CommentText). `type` may also be a program's or a function's, which
// is then kept in text form.
VariableFile NewTextFile(Model model, const std::string& folder, const std::string& name,
                         const CalculatorText& text, const std::string& stamp,
                         unsigned char type = types::kText);

}  // namespace orbisk
