// Text variable files as written, and what a check finds in files that are not what they
// claim.
#include "variable_file.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "file_check.hpp"

namespace orbisk {
namespace {

constexpr char kStamp[] = "23/02/03, 14:09";

TextVariable Notes(Model model, std::string text = " Bonjour\rCDisp 1") {
  TextVariable variable;
  variable.model = model;
  variable.name = "notes";
  variable.text = CalculatorText::FromCodes(text);
  return variable;
}

std::string Bytes(const std::string& file, std::size_t at, std::size_t count) {
  return file.substr(at, count);
}

TEST(VariableFileTest, WritesEachModelsHeaderAndReadsItBack) {
  struct Row {
    Model model;
    const char* path;
    const char* signature;
    std::string comment;  // bytes 18 to 48
  };
  const Row rows[] = {
      {Model::Voyager200, "notes.v2t", "**TI92P*", std::string("TextObject file ") + kStamp},
      {Model::Ti92Plus, "notes.9xt", "**TI92P*", std::string(31, ' ')},
      {Model::Ti89, "notes.89t", "**TI89**", std::string(31, ' ')}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    const std::string file = WriteTextFile(Notes(row.model), kStamp);
    EXPECT_EQ(Bytes(file, 0, 8), row.signature);
    EXPECT_EQ(Bytes(file, 8, 10), std::string("\x01\x00main\0\0\0\0", 10));
    EXPECT_EQ(Bytes(file, 18, 31), row.comment);
    EXPECT_EQ(Bytes(file, 49, 9), std::string(9, '\0'));
    EXPECT_EQ(Bytes(file, 0x3A, 6), std::string("\x01\x00\x52\x00\x00\x00", 6));
    EXPECT_EQ(Bytes(file, 0x40, 12), std::string("notes\0\0\0\x0B\0\0\0", 12));
    EXPECT_EQ(static_cast<unsigned char>(file[0x4C]), file.size());
    EXPECT_EQ(Bytes(file, 0x50, 6), std::string("\xA5\x5A\0\0\0\0", 6));
    // Variable size: the text, the cursor, the terminator and the tag.
    EXPECT_EQ(Bytes(file, 0x56, 4), std::string("\x00\x14\x00\x01", 4));
    EXPECT_EQ(Bytes(file, file.size() - 4, 2), std::string("\x00\xE0", 2));

    const FileReport report = CheckVariableFile(file, file.size(), row.path);
    EXPECT_TRUE(report.problems.empty());
    ASSERT_TRUE(report.text);
    EXPECT_EQ(report.text->model, row.model);
    EXPECT_EQ(report.text->folder, "main");
    EXPECT_EQ(report.text->name, "notes");
    EXPECT_EQ(report.text->text.Codes(), " Bonjour\rCDisp 1");
  }
}

TEST(VariableFileTest, TheChecksumIsTheSumFromTheSizeToTheTag) {
  const std::string file = WriteTextFile(Notes(Model::Ti92Plus, " A"), kStamp);
  // 00 06 | 00 01 | 20 41 | 00 E0 : 6 + 1 + 0x20 + 0x41 + 0xE0 = 0x148, stored low byte first
  EXPECT_EQ(Bytes(file, file.size() - 2, 2), std::string("\x48\x01", 2));
}

// The sum taken eight bytes at a time is the plain sum of the bytes, whatever the length
// and however large the bytes.
TEST(VariableFileTest, TheChecksumIsThePlainSumOfTheBytes) {
  std::string bytes;
  for (std::size_t i = 0; i < 5000; ++i) bytes += static_cast<char>(i % 7 == 0 ? 0xFF : i * 31);
  for (const std::size_t length : {0u, 1u, 7u, 8u, 9u, 1023u, 1024u, 1025u, 5000u}) {
    std::uint32_t plain = 0;
    for (std::size_t i = 0; i < length; ++i) plain += static_cast<unsigned char>(bytes[i]);
    EXPECT_EQ(Checksum(reinterpret_cast<const unsigned char*>(bytes.data()), length),
              static_cast<std::uint16_t>(plain))
        << length;
  }
  const std::string ones(200000, '\xFF');
  EXPECT_EQ(Checksum(reinterpret_cast<const unsigned char*>(ones.data()), ones.size()),
            static_cast<std::uint16_t>(200000u * 255u));
}

TEST(VariableFileTest, TheLargestTextFillsTheVariable) {
  const std::string text(layout::kMaxVariableSize - layout::kTextOverhead, ' ');
  const std::string file = WriteTextFile(Notes(Model::Ti89, text), kStamp);
  EXPECT_EQ(Bytes(file, 0x56, 2), "\xFF\xFF");
  const FileReport report = CheckVariableFile(file, file.size(), "big.89t");
  EXPECT_TRUE(report.problems.empty());
  ASSERT_TRUE(report.text);
  EXPECT_EQ(report.text->text.Codes(), text);
}

// Each way a file can be wrong, and what the check says of it.
TEST(VariableFileTest, ACheckFindsEveryProblem) {
  using Kind = Problem::Kind;
  struct Row {
    const char* name;
    const char* path;
    std::function<void(std::string&)> spoil;
    std::vector<Kind> found;
    std::vector<Kind> notes = {};
  };
  const auto set = [](std::size_t at, std::string bytes) {
    return [at, bytes](std::string& file) { file.replace(at, bytes.size(), bytes); };
  };
  const Row rows[] = {
      {"correct", "notes.9xt", [](std::string&) {}, {}},
      {"another maker's file", "notes.9xt", set(0, "**TI83F*"), {Kind::UnknownSignature}},
      {"a TI-89 file named .9xt", "notes.9xt", set(0, "**TI89**"), {Kind::SignatureNotOfName}},
      // The old link software gave TI-89 files the TI92+ signature: the name tells.
      {"a TI92+ file named .89t", "notes.89t", [](std::string&) {}, {}, {Kind::OldLinkSignature}},
      {"a V200 file named .89t", "notes.89t", set(0, "**V200**"), {Kind::SignatureNotOfName}},
      // libtifiles' comment on a Voyager 200 file: the name tells its model.
      {"another comment on a .v2t", "notes.v2t", set(0x12, std::string("Single file dated ")), {}},
      {"bytes after the end",
       "notes.9xt",
       [](std::string& f) { f += "abc"; },
       {},
       {Kind::TrailingBytes}},
      {"bytes after an end the header does not give",
       "notes.9xt",
       [](std::string& f) {
         f += "abc";
         f[0x4C] = 0x10;
       },
       {Kind::FileSizeField, Kind::VariableSizeDoesNotFit}},
      {"no extension", "notes", [](std::string&) {}, {}},
      {"first marker", "notes.9xt", set(8, std::string("\x02\x00", 2)), {Kind::FirstMarker}},
      {"entry count", "notes.9xt", set(0x3A, std::string("\x02\x00", 2)), {Kind::EntryCount}},
      {"data offset", "notes.9xt", set(0x3C, std::string("\x50", 1)), {Kind::DataOffset}},
      {"size field", "notes.9xt", set(0x4C, std::string("\x10", 1)), {Kind::FileSizeField}},
      {"second marker", "notes.9xt", set(0x50, std::string("\x5A\xA5", 2)), {Kind::SecondMarker}},
      {"variable size",
       "notes.9xt",
       set(0x56, std::string("\x00\x30", 2)),
       {Kind::VariableSizeDoesNotFit}},
      {"cut short",
       "notes.9xt",
       [](std::string& f) { f.resize(f.size() - 3); },
       {Kind::FileSizeField, Kind::VariableSizeDoesNotFit}},
      {"no end",
       "notes.9xt",
       [](std::string& f) { f[f.size() - 3] = 0x00; },
       {Kind::TextWithoutEnd, Kind::Checksum}},
      {"checksum", "notes.9xt", [](std::string& f) { f[f.size() - 1] ^= 1; }, {Kind::Checksum}},
      {"text changed", "notes.9xt", [](std::string& f) { f[0x5B] = 'b'; }, {Kind::Checksum}},
      {"too short for a header",
       "notes.9xt",
       [](std::string& f) { f.resize(60); },
       {Kind::TooShort}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string file = WriteTextFile(Notes(Model::Ti92Plus), kStamp);
    row.spoil(file);
    const FileReport report = CheckVariableFile(file, file.size(), row.path);
    std::vector<Kind> found;
    for (const Problem& problem : report.problems) found.push_back(problem.kind);
    EXPECT_EQ(found, row.found);
    std::vector<Kind> notes;
    for (const Problem& note : report.notes) notes.push_back(note.kind);
    EXPECT_EQ(notes, row.notes);
    if (std::string(row.path) == "notes.v2t") {
      EXPECT_EQ(report.model, Model::Voyager200);
    }
    // A file whose only fault is its name is read by its signature.
    EXPECT_EQ(report.text.has_value(),
              row.found.empty() || row.found == std::vector<Kind>{Kind::SignatureNotOfName});
  }
}

TEST(VariableFileTest, ProblemsCarryWhatWasFoundAndExpected) {
  const std::string file = WriteTextFile(Notes(Model::Ti92Plus), kStamp);
  // As if five bytes were missing from what was read.
  const FileReport report = CheckVariableFile(file, file.size() + 5, "notes.9xt");
  ASSERT_EQ(report.problems.size(), 2u);
  EXPECT_EQ(report.problems[0].kind, Problem::Kind::FileSizeField);
  EXPECT_EQ(report.problems[0].found, file.size());
  EXPECT_EQ(report.problems[0].expected, file.size() + 5);
  EXPECT_EQ(report.problems[1].kind, Problem::Kind::VariableSizeDoesNotFit);
  EXPECT_EQ(report.problems[1].found, 0x14u);
  EXPECT_EQ(report.problems[1].expected, 0x14u + 5);
}

TEST(VariableFileTest, AVariableOfAnotherTypeIsCheckedButIsNoText) {
  std::string file = WriteTextFile(Notes(Model::Ti89), kStamp);
  file[0x48] = 0x2D;  // a string
  const FileReport report = CheckVariableFile(file, file.size(), "name.89s");
  EXPECT_TRUE(report.problems.empty());
  EXPECT_EQ(report.type, 0x2D);
  EXPECT_FALSE(report.text);
}

// A group: main\notes, main\prog, then cours\memo, archived. Its table: a folder entry,
// two variables, a folder entry, a variable; from 0x3C, 16 bytes each.
VariableFile Group() {
  VariableFile group;
  group.signature = Signature::Ti89;
  group.comment = "Groupe";
  const auto entry = [](std::string folder, std::string name, unsigned char type, std::string data,
                        unsigned char attribute = 0) {
    VariableEntry e;
    e.folder = std::move(folder);
    e.name = std::move(name);
    e.type = type;
    e.data = std::move(data);
    e.attribute = attribute;
    return e;
  };
  group.entries = {entry("main", "notes", 0x0B, std::string("\x00\x01 Bonjour\x00\xE0", 12)),
                   entry("main", "prog", 0x12, std::string("\xE9\x00\x19\xE5\x00\x00\x00\xDC", 8)),
                   entry("cours", "memo", 0x0B, std::string("\x00\x01 x\x00\xE0", 6), 3)};
  return group;
}

TEST(VariableFileTest, AGroupReadsAsItsListOfVariablesAndWritesBackTheSame) {
  const std::string bytes = WriteVariableFile(Group());
  EXPECT_EQ(Bytes(bytes, 0x3A, 2), std::string("\x05\x00", 2));
  EXPECT_EQ(Bytes(bytes, 0x3C, 16), std::string("\x92\0\0\0main\0\0\0\0\x1F\0\x02\0", 16));
  const ParsedFile parsed = ParseVariableFile(bytes, bytes.size());
  EXPECT_TRUE(parsed.problems.empty());
  EXPECT_EQ(parsed.file.entries, Group().entries);
  EXPECT_EQ(WriteVariableFile(parsed.file), bytes);
  // Checked, a sound group is sound, with every variable it holds.
  const FileReport report = CheckVariableFile(bytes, bytes.size(), "cours.89g");
  EXPECT_TRUE(report.problems.empty());
  EXPECT_TRUE(report.group);
  ASSERT_TRUE(report.file);
  EXPECT_EQ(report.file->entries, Group().entries);
  EXPECT_EQ(report.model, Model::Ti89);
}

// Each lie a group's table can tell is found, and named: the entry and what is wrong with it.
TEST(VariableFileTest, EveryLieInAGroupsTableIsFound) {
  using Kind = Problem::Kind;
  using Fault = EntryFault;
  struct Row {
    const char* name;
    std::size_t at;
    std::string bytes;
    Kind found;
    std::uint64_t entry;
    Fault fault;                // for EntryTable; the earlier entry's number for DuplicateName
    const char* variable = "";  // the variable a problem of its data is about
  };
  const Row rows[] = {
      {"a variable's offset off by one, after a folder", 0x4C, "\x93", Kind::EntryTable, 2,
       Fault::FolderHoldsData},
      {"a variable's offset overlapping the one before", 0x5C, "\x92", Kind::EntryTable, 3,
       Fault::Offset},
      {"an offset past the end of the file", 0x7C, "\xFF\xFF", Kind::EntryTable, 5,
       Fault::PastTheEnd},
      {"a variable's offset past the end", 0x5C, "\xFF\xFF", Kind::EntryTable, 3,
       Fault::PastTheEnd},
      {"a variable before any folder", 0x48, "\x0B", Kind::EntryTable, 1, Fault::WithoutFolder},
      {"a folder announcing one variable too many", 0x4A, "\x03", Kind::EntryTable, 4,
       Fault::FolderCount},
      {"a folder named again after its own variables", 0x70, std::string("main\0", 5),
       Kind::EntryTable, 4, Fault::FolderRepeated},
      {"a folder entry holding an attribute", 0x49, "\x01", Kind::EntryTable, 1,
       Fault::FolderCount},
      {"a name with a slash", 0x50, "a/b", Kind::EntryName, 2, Fault::Offset},
      {"a name that is the parent folder", 0x60, std::string("..\0\0", 4), Kind::EntryName, 3,
       Fault::Offset},
      {"a folder that is the parent folder", 0x70, std::string("..\0\0\0", 5), Kind::EntryName, 4,
       Fault::Offset},
      {"a name with a control character", 0x80, "m\x01", Kind::EntryName, 5, Fault::Offset},
      {"two variables of one name", 0x60, std::string("notes\0", 6), Kind::DuplicateName, 3,
       static_cast<Fault>(2), "main\\notes"},
      {"a count no table could have", 0x3A, "\xFF\xFF", Kind::EntryCount, 65535, Fault::Offset},
      {"the size of the file", 0x8C, "\x10", Kind::FileSizeField, 0, Fault::Offset},
      {"a variable's checksum", 0xB0, "\xFF", Kind::Checksum, 0, Fault::Offset, "main\\prog"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string bytes = WriteVariableFile(Group());
    bytes.replace(row.at, row.bytes.size(), row.bytes);
    const ParsedFile parsed = ParseVariableFile(bytes, bytes.size());
    ASSERT_FALSE(parsed.problems.empty());
    const Problem& problem = parsed.problems[0];
    EXPECT_EQ(problem.kind, row.found);
    EXPECT_EQ(problem.variable, row.variable);
    if (row.entry != 0) {
      EXPECT_EQ(problem.found, row.entry);
    }
    if (row.found == Kind::EntryTable || row.found == Kind::DuplicateName) {
      EXPECT_EQ(problem.expected, static_cast<std::uint64_t>(row.fault));
    }
  }
}

// A group's every damaged variable is told, each by its folder and name.
TEST(VariableFileTest, EveryDamagedVariableOfAGroupIsTold) {
  std::string bytes = WriteVariableFile(Group());
  bytes[0xA4] = '\xFF';              // main\notes's checksum
  bytes[bytes.size() - 3] = '\x01';  // cours\memo's terminator
  const ParsedFile parsed = ParseVariableFile(bytes, bytes.size());
  ASSERT_EQ(parsed.problems.size(), 3u);
  EXPECT_EQ(parsed.problems[0].variable, "main\\notes");
  EXPECT_EQ(parsed.problems[1].kind, Problem::Kind::TextWithoutEnd);
  EXPECT_EQ(parsed.problems[2].kind, Problem::Kind::Checksum);
  EXPECT_EQ(parsed.problems[2].variable, "cours\\memo");
  EXPECT_EQ(parsed.file.entries.size(), 3u);
}

// A backup: its memory image, with no size of its own, reads and writes back the same.
TEST(VariableFileTest, ABackupReadsAndWritesBackTheSame) {
  VariableFile backup;
  backup.signature = Signature::Ti92Plus;
  backup.folder.clear();
  backup.comment = "Backup file";
  VariableEntry& memory = backup.entries.emplace_back();
  memory.name = "2.09";
  memory.type = types::kBackup;
  memory.data = std::string(70000, 'B');  // larger than any variable
  const std::string bytes = WriteVariableFile(backup);
  ASSERT_EQ(bytes.size(), 0x52u + 70000 + 2);
  EXPECT_EQ(Bytes(bytes, 0x3C, 4), std::string("\x52\0\0\0", 4));
  const ParsedFile parsed = ParseVariableFile(bytes, bytes.size());
  EXPECT_TRUE(parsed.problems.empty());
  EXPECT_EQ(parsed.file.entries, backup.entries);
  EXPECT_EQ(WriteVariableFile(parsed.file), bytes);
  std::string damaged = bytes;
  damaged[0x60] = 'C';
  ASSERT_EQ(ParseVariableFile(damaged, damaged.size()).problems.size(), 1u);
  EXPECT_EQ(ParseVariableFile(damaged, damaged.size()).problems[0].kind, Problem::Kind::Checksum);
}

}  // namespace
}  // namespace orbisk
