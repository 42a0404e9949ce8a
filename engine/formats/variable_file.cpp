// The variable files of the TI-89, TI-92 Plus and Voyager 200 as a value.
#include "variable_file.hpp"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

#include "program_variable.hpp"

namespace orbisk {
namespace {

using namespace layout;
using Kind = Problem::Kind;

// Bytes of `s` read as numbers; the caller makes sure they are there.
std::uint32_t Little(std::string_view s, std::size_t at, std::size_t bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = bytes; i-- > 0;)
    value = (value << 8) | static_cast<unsigned char>(s[at + i]);
  return value;
}

std::uint32_t Big16(std::string_view s, std::size_t at) {
  return (static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) << 8) |
         static_cast<unsigned char>(s[at + 1]);
}

// A name's field of `length` bytes: the name ends at its first 00, whatever pads it after
// (00s, or spaces as some programs write).
std::string Field(std::string_view s, std::size_t at, std::size_t length) {
  std::string_view field = s.substr(at, length);
  return std::string(field.substr(0, field.find('\0')));
}

// The comment, without the 00s that pad it: what follows a 00 inside it is kept.
std::string CommentField(std::string_view s, std::size_t at, std::size_t length) {
  std::string field(s.substr(at, length));
  field.erase(field.find_last_not_of('\0') + 1);
  return field;
}

void PutLittle(std::string& out, std::uint32_t value, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
}

void PutBig16(std::string& out, std::size_t value) {
  out += static_cast<char>(value >> 8);
  out += static_cast<char>(value & 0xFF);
}

void PutField(std::string& out, const std::string& text, std::size_t length) {
  std::string field = text.substr(0, length);
  field.resize(length, '\0');
  out += field;
}

std::uint16_t SumOf(std::string_view s, std::size_t at, std::size_t count) {
  return Checksum(reinterpret_cast<const unsigned char*>(s.data()) + at, count);
}

// The header every file starts with: signature, marker, folder and comment; the problems
// found in it go to `parsed`.
void ReadHeader(std::string_view head, ParsedFile& parsed) {
  VariableFile& file = parsed.file;
  file.signature = SignatureOf(reinterpret_cast<const unsigned char*>(head.data()));
  if (file.signature == Signature::Unknown) {
    parsed.problems.push_back({Kind::UnknownSignature, 0, 0, std::string(head.substr(0, 8))});
  }
  if (head[kMarker] != 0x01 || head[kMarker + 1] != 0x00) {
    parsed.problems.push_back({Kind::FirstMarker, Little(head, kMarker, 2), 1});
  }
  file.folder = Field(head, kFolder, 8);
  file.comment = CommentField(head, kComment, kCommentLength);
  parsed.entryCount = Little(head, kEntryCount, 2);
}

// Checks a variable's data, which starts with its size at `at` in `head`: the data must end
// the room the file gives it (`room`), then its checksum must be right. False when the size
// does not fit, and then nothing more is read.
bool ReadVariableData(std::string_view head, std::size_t at, std::uint64_t room,
                      VariableEntry& entry, std::vector<Problem>& problems, bool keepData) {
  const std::uint32_t variableSize = Big16(head, at);
  if (variableSize != room || head.size() < at + 2 + variableSize + 2) {
    problems.push_back({Kind::VariableSizeDoesNotFit, variableSize, room});
    return false;
  }
  if (keepData) entry.data = std::string(head.substr(at + 2, variableSize));
  const std::size_t end = at + 2 + variableSize;  // where the checksum is
  // A text ends with 00 E0, after its cursor.
  if (entry.type == types::kText &&
      (variableSize < orbisk::kTextOverhead || head[end - 2] != '\0' ||
       static_cast<unsigned char>(head[end - 1]) != orbisk::kTextTag)) {
    problems.push_back({Kind::TextWithoutEnd});
  } else if (entry.type == types::kText) {
    // Between the cursor and the 00 E0 that end it, a text holds no 00: one there is damage,
    // which would cut the text short on the calculator.
    const std::string_view codes = head.substr(at + 4, variableSize - orbisk::kTextOverhead);
    if (const std::size_t nul = codes.find('\0'); nul != std::string_view::npos) {
      const std::string_view before = codes.substr(0, nul);
      const std::size_t lineEnd = before.rfind('\x0D');  // of the line before the 00's
      const auto line =
          1 + static_cast<std::uint64_t>(std::count(before.begin(), before.end(), '\x0D'));
      const std::size_t column = 1 + nul - (lineEnd == std::string_view::npos ? 0 : lineEnd + 1);
      problems.push_back({Kind::TextHoldsNul, line, column});
    }
  }
  if (entry.type == types::kProgram || entry.type == types::kFunction) {
    // Checked here; its text is made by whoever reads it.
    for (Problem& problem :
         ReadProgramData(entry.type, head.substr(at + 2, variableSize), ProgramLines::None)
             .problems) {
      problems.push_back(std::move(problem));
    }
  }
  const auto stored = static_cast<std::uint16_t>(Little(head, end, 2));
  const std::uint16_t computed = SumOf(head, at, end - at);
  if (stored != computed) problems.push_back({Kind::Checksum, stored, computed});
  return true;
}

// Where the entries end (in the header for a single variable, after the table for a
// group): the file's size, then A5 5A.
void CheckTableEnd(std::string_view head, std::uint64_t tableEnd, std::uint64_t size,
                   std::vector<Problem>& problems) {
  if (const std::uint32_t field = Little(head, tableEnd, 4); field != size) {
    problems.push_back({Kind::FileSizeField, field, size});
  }
  if (Big16(head, tableEnd + 4) != 0xA55A) {
    problems.push_back({Kind::SecondMarker, Big16(head, tableEnd + 4), 0xA55A});
  }
}

// The one entry of a file that holds one: it lies in the header, which then gives the
// file's size and A5 5A, and says its data starts at `dataAt`.
VariableEntry& ReadOnlyEntry(std::string_view head, std::uint64_t size, std::size_t dataAt,
                             ParsedFile& parsed) {
  auto& problems = parsed.problems;
  VariableEntry& entry = parsed.file.entries.emplace_back();
  entry.folder = parsed.file.folder;
  entry.name = Field(head, kName, kNameLength);
  entry.type = static_cast<unsigned char>(head[kType]);
  entry.attribute = static_cast<unsigned char>(head[kAttribute]);
  entry.reserved = static_cast<std::uint16_t>(Little(head, kAttribute + 1, 2));
  if (const std::uint32_t offset = Little(head, kDataOffsetField, 4); offset != dataAt) {
    problems.push_back({Kind::DataOffset, offset, dataAt});
  }
  static_assert(kSecondMarker == kFileSize + 4);
  CheckTableEnd(head, kFileSize, size, problems);
  return entry;
}

// A single-variable file: one entry, its data right after the header.
ParsedFile ParseSingle(std::string_view head, std::uint64_t size, bool keepData) {
  ParsedFile parsed;
  ReadHeader(head, parsed);
  auto& problems = parsed.problems;
  if (parsed.entryCount != 1) problems.push_back({Kind::EntryCount, parsed.entryCount, 1});
  // Files from the old link software may hold a few bytes after the end their header and
  // their variable agree on: that end is the file's, and the bytes after it a note.
  const std::uint32_t sizeField = Little(head, kFileSize, 4);
  if (sizeField < size && head.size() >= size && sizeField >= kVariableData + 2 &&
      Big16(head, kVariableSize) + kVariableData + 2 == sizeField) {
    parsed.notes.push_back({Kind::TrailingBytes, size - sizeField});
    size = sizeField;
  }
  VariableEntry& entry = ReadOnlyEntry(head, size, kData, parsed);
  entry.lead = Little(head, kData, 4);
  // The variable, then its two-byte checksum, must end the file exactly.
  const std::uint64_t room = size >= kVariableData + 2 ? size - kVariableData - 2 : 0;
  ReadVariableData(head, kVariableSize, room, entry, problems, keepData);
  return parsed;
}

// Whether a name from a group's table may become a file's: not empty (but for a folder's),
// no "/" nor control character, and neither "." nor "..". The calculators' own names never
// break these rules.
bool SoundEntryName(const std::string& name, bool folder) {
  if ((name.empty() && !folder) || name == "." || name == "..") return false;
  for (const char c : name) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 0x20 || code == 0x7F || c == '/') return false;
  }
  return true;
}

// Reads the data of a group's `index`th entry (of `count`), which starts at `at` and runs to
// the next entry's offset or to the end of the file, into `entry`, each problem named after
// the variable. Gives where the next variable's data starts, or nothing when reading stops.
std::optional<std::uint64_t> ReadGroupVariable(std::string_view head, std::uint64_t size,
                                               std::uint32_t index, std::uint32_t count,
                                               std::uint64_t at, VariableEntry& entry,
                                               std::vector<Problem>& problems, bool keepData) {
  const std::size_t entryAt = kFirstEntry + kEntrySize * index;
  const std::string where = QualifiedName(entry);
  const std::uint64_t next = index + 1 < count ? Little(head, entryAt + kEntrySize, 4) : size;
  // The next entry's data may start neither past the end nor within this one's.
  if (index + 1 < count && (next > size || next < at + 8)) {
    const EntryFault fault = next > size ? EntryFault::PastTheEnd : EntryFault::Offset;
    problems.push_back({Kind::EntryTable, index + 2, static_cast<std::uint64_t>(fault)});
    return std::nullopt;
  }
  if (next < at + 8 || head.size() < at + 8) {
    Problem room{Kind::VariableSizeDoesNotFit, 0, next > at + 8 ? next - at - 8 : 0};
    room.variable = where;
    problems.push_back(std::move(room));
    return std::nullopt;
  }
  entry.lead = Little(head, at, 4);
  const std::size_t before = problems.size();
  const bool fits = ReadVariableData(head, at + 4, next - at - 8, entry, problems, keepData);
  for (std::size_t p = before; p < problems.size(); ++p) problems[p].variable = where;
  if (!fits) return std::nullopt;
  return next;
}

// A group: a table of folder and variable entries, then the file's size, A5 5A, and the
// variables' data one after the other, each where its entry says. `table` tells whether the
// table is where a group's is: its first entry points just past it. Every problem of every
// entry is told; reading stops only where the table can no longer be trusted.
ParsedFile ParseGroup(std::string_view head, std::uint64_t size, bool keepData, bool& table) {
  ParsedFile parsed;
  ReadHeader(head, parsed);
  auto& problems = parsed.problems;
  const std::uint64_t tableEnd = kFirstEntry + std::uint64_t{kEntrySize} * parsed.entryCount;
  table = false;
  if (head.size() < tableEnd + 6 || size < tableEnd + 6) {
    problems.push_back({Kind::TooShort, size});
    return parsed;
  }
  table = Little(head, kFirstEntry, 4) == tableEnd + 6;
  CheckTableEnd(head, tableEnd, size, problems);
  parsed.file.group = true;
  std::string folder;
  bool inFolder = false;
  std::uint32_t folderLeft = 0;               // variables the current folder entry still announces
  std::uint64_t at = tableEnd + 6;            // where the next variable's data must start
  std::map<std::string, std::uint32_t> seen;  // folder, NUL, name: its entry
  for (std::uint32_t i = 0; i < parsed.entryCount; ++i) {
    const std::size_t entryAt = kFirstEntry + kEntrySize * i;
    const std::uint32_t offset = Little(head, entryAt, 4);
    const std::string name = Field(head, entryAt + 4, kNameLength);
    const auto type = static_cast<unsigned char>(head[entryAt + 12]);
    const auto attribute = static_cast<unsigned char>(head[entryAt + 13]);
    const auto reserved = static_cast<std::uint16_t>(Little(head, entryAt + 14, 2));
    const auto wrong = [&](EntryFault fault) {
      problems.push_back({Kind::EntryTable, i + 1, static_cast<std::uint64_t>(fault)});
      return parsed;
    };
    if (offset > size) return wrong(EntryFault::PastTheEnd);
    if (offset != at) {
      // After a folder entry, data before the next entry would be the folder's.
      const bool afterFolder =
          i > 0 && static_cast<unsigned char>(head[entryAt - kEntrySize + 12]) == types::kFolder;
      return wrong(afterFolder && offset > at ? EntryFault::FolderHoldsData : EntryFault::Offset);
    }
    if (!SoundEntryName(name, type == types::kFolder)) {
      problems.push_back({Kind::EntryName, i + 1, 0, name});
      return parsed;
    }
    if (type == types::kFolder) {
      // A folder entry names the folder of the variables after it, and how many they are.
      if (folderLeft != 0 || reserved == 0 || attribute != 0) return wrong(EntryFault::FolderCount);
      // A folder named again right after its own variables would be one entry when written.
      if (inFolder && name == folder) return wrong(EntryFault::FolderRepeated);
      folder = name;
      inFolder = true;
      folderLeft = reserved;
      continue;
    }
    if (!inFolder || folderLeft == 0) return wrong(EntryFault::WithoutFolder);
    --folderLeft;
    VariableEntry entry;
    entry.folder = folder;
    entry.name = name;
    entry.type = type;
    entry.attribute = attribute;
    entry.reserved = reserved;
    const std::string where = QualifiedName(entry);
    if (const auto [earlier, fresh] = seen.emplace(folder + '\0' + name, i + 1); !fresh) {
      Problem twice{Kind::DuplicateName, i + 1, earlier->second};
      twice.variable = where;
      problems.push_back(std::move(twice));
    }
    const std::optional<std::uint64_t> next =
        ReadGroupVariable(head, size, i, parsed.entryCount, at, entry, problems, keepData);
    if (!next) return parsed;
    parsed.file.entries.push_back(std::move(entry));
    at = *next;
  }
  if (folderLeft != 0)
    problems.push_back(
        {Kind::EntryTable, parsed.entryCount, static_cast<std::uint64_t>(EntryFault::FolderCount)});
  return parsed;
}

// A backup: one entry, whose name is the version of the system it was made on, and the
// calculator's memory from the end of the header to the checksum.
ParsedFile ParseBackup(std::string_view head, std::uint64_t size, bool keepData) {
  ParsedFile parsed;
  ReadHeader(head, parsed);
  auto& problems = parsed.problems;
  VariableEntry& entry = ReadOnlyEntry(head, size, kBackupData, parsed);
  const std::uint64_t room = size >= kBackupData + 2 ? size - kBackupData - 2 : 0;
  if (head.size() < kBackupData + room + 2) {
    problems.push_back({Kind::VariableSizeDoesNotFit, head.size(), room});
    return parsed;
  }
  if (keepData) entry.data = std::string(head.substr(kBackupData, room));
  const auto stored = static_cast<std::uint16_t>(Little(head, kBackupData + room, 2));
  const std::uint16_t computed = SumOf(head, kBackupData, room);
  if (stored != computed) problems.push_back({Kind::Checksum, stored, computed});
  return parsed;
}

std::string WriteBackup(const VariableFile& file) {
  const VariableEntry& entry = file.entries[0];
  std::string out;
  out.reserve(kBackupData + entry.data.size() + 2);
  out += SignatureBytes(file.signature);
  out += std::string("\x01\x00", 2);
  PutField(out, file.folder, 8);
  PutField(out, file.comment, kCommentLength);
  PutLittle(out, 1, 2);
  PutLittle(out, kBackupData, 4);
  PutField(out, entry.name, kNameLength);
  out += static_cast<char>(entry.type);
  out += static_cast<char>(entry.attribute);
  PutLittle(out, entry.reserved, 2);
  PutLittle(out, static_cast<std::uint32_t>(kBackupData + entry.data.size() + 2), 4);
  out += "\xA5\x5A";
  out += entry.data;
  PutLittle(out, SumOf(out, kBackupData, entry.data.size()), 2);
  return out;
}

}  // namespace

std::uint16_t Checksum(const unsigned char* bytes, std::size_t count) {
  // Eight bytes at a time, in four 16-bit lanes of two bytes each: a lane gains at most 510
  // a word, so 128 words keep it from spilling into the next before the lanes are added up.
  constexpr std::uint64_t kLowBytes = 0x00FF00FF00FF00FFULL;
  std::uint64_t total = 0;
  std::size_t i = 0;
  while (count - i >= 8) {
    const std::size_t words = std::min<std::size_t>((count - i) / 8, 128);
    std::uint64_t lanes = 0;
    for (std::size_t w = 0; w < words; ++w, i += 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, bytes + i, 8);
      lanes += (word & kLowBytes) + ((word >> 8) & kLowBytes);
    }
    total += (lanes & 0xFFFF) + ((lanes >> 16) & 0xFFFF) + ((lanes >> 32) & 0xFFFF) + (lanes >> 48);
  }
  for (; i < count; ++i) total += bytes[i];
  return static_cast<std::uint16_t>(total);
}

ParsedFile ParseVariableFile(std::string_view head, std::uint64_t size, bool keepData) {
  if (head.size() < kVariableData || size < kVariableData) {
    ParsedFile parsed;
    parsed.problems.push_back({Kind::TooShort, size});
    return parsed;
  }
  if (static_cast<unsigned char>(head[kType]) == types::kBackup &&
      Little(head, kEntryCount, 2) == 1) {
    return ParseBackup(head, size, keepData);
  }
  ParsedFile single = ParseSingle(head, size, keepData);
  if (single.entryCount < 2) return single;
  // A file announcing several entries is a group when its table is where a group's is;
  // otherwise what is wrong is told as for a single variable, which it is then meant to be.
  bool table = false;
  ParsedFile group = ParseGroup(head, size, keepData, table);
  return group.problems.empty() || table ? group : single;
}

std::string WriteVariableFile(const VariableFile& file) {
  const bool group = file.IsGroup();
  if (!group && file.entries[0].type == types::kBackup) return WriteBackup(file);
  // The table: for a group, a folder entry before each run of variables of one folder.
  struct Row {
    const VariableEntry* variable;  // null for a folder entry
    std::size_t count;              // for a folder entry: how many variables follow
  };
  std::vector<Row> table;
  for (std::size_t i = 0; i < file.entries.size(); ++i) {
    if (group && (i == 0 || file.entries[i].folder != file.entries[i - 1].folder)) {
      std::size_t count = 1;
      while (i + count < file.entries.size() &&
             file.entries[i + count].folder == file.entries[i].folder) {
        ++count;
      }
      table.push_back({&file.entries[i], count});
    }
    table.push_back({&file.entries[i], 0});
  }
  std::size_t dataSize = 0;
  for (const VariableEntry& entry : file.entries) dataSize += 4 + 2 + entry.data.size() + 2;
  const std::size_t dataStart = kFirstEntry + kEntrySize * table.size() + 6;

  std::string out;
  out.reserve(dataStart + dataSize);
  out += SignatureBytes(file.signature);
  out += std::string("\x01\x00", 2);
  PutField(out, group || file.entries.empty() ? file.folder : file.entries[0].folder, 8);
  PutField(out, file.comment, kCommentLength);
  PutLittle(out, static_cast<std::uint32_t>(table.size()), 2);
  std::size_t at = dataStart;
  for (const Row& row : table) {
    const VariableEntry& entry = *row.variable;
    PutLittle(out, static_cast<std::uint32_t>(at), 4);
    if (row.count != 0) {
      PutField(out, entry.folder, kNameLength);
      out += static_cast<char>(types::kFolder);
      out += '\0';
      PutLittle(out, static_cast<std::uint32_t>(row.count), 2);
      continue;
    }
    PutField(out, entry.name, kNameLength);
    out += static_cast<char>(entry.type);
    out += static_cast<char>(entry.attribute);
    PutLittle(out, entry.reserved, 2);
    at += 4 + 2 + entry.data.size() + 2;
  }
  PutLittle(out, static_cast<std::uint32_t>(at), 4);
  out += "\xA5\x5A";
  for (const VariableEntry& entry : file.entries) {
    PutLittle(out, entry.lead, 4);
    const std::size_t sized = out.size();
    PutBig16(out, entry.data.size());
    out += entry.data;
    PutLittle(out, SumOf(out, sized, out.size() - sized), 2);
  }
  return out;
}

VariableFile NewTextFile(Model model, const std::string& folder, const std::string& name,
                         const CalculatorText& text, const std::string& stamp, unsigned char type) {
  VariableFile file;
  file.signature = SignatureFor(model);
  file.folder = folder;
  file.comment = CommentText(model, stamp);
  VariableEntry& entry = file.entries.emplace_back();
  entry.folder = folder;
  entry.name = name;
  entry.type = type;
  entry.data = VariableDataOfText(type, text);
  return file;
}

}  // namespace orbisk
