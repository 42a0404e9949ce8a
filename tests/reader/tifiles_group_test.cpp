// The file model against an independent reader and writer: every single or group file
// libtifiles writes reads as the same variables and writes back byte for byte, and every
// file we write reads back in libtifiles as the variables we wrote.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "files.hpp"
#include "fixed_clock.hpp"
#include "group_transfer.hpp"
#include "library_models.hpp"
#include "posix_file_system.hpp"
#include "scripted_interaction.hpp"
#include "target_names.hpp"
#include "temp_folder.hpp"
#include "tifiles_io.h"
#include "variable_file.hpp"

namespace orbisk {
namespace {

// Random variables in a few folders: texts that end as a text must, and other types with
// any bytes, some archived.
std::vector<VariableEntry> RandomVariables(std::mt19937& random, std::size_t count) {
  static const char* const kFolders[] = {"main", "cours", "jeux"};
  static const unsigned char kTypes[] = {0x0B, 0x12, 0x13, 0x00, 0x04, 0x2D};
  std::vector<VariableEntry> variables;
  for (std::size_t i = 0; i < count; ++i) {
    VariableEntry entry;
    entry.folder = kFolders[random() % 3];
    entry.name = "v" + std::to_string(i) + std::string(1, static_cast<char>('a' + random() % 26));
    entry.type = kTypes[random() % 6];
    entry.attribute = random() % 4 == 0 ? 3 : 0;
    const std::size_t size = random() % (i == 0 ? 3000 : 300);
    entry.data = testing::SampleVariableData(entry.type, size, static_cast<unsigned>(random()));
    variables.push_back(std::move(entry));
  }
  return variables;
}

// The library's form of a variable: its data starts with its size.
TifilesIoVariable ToLibrary(const VariableEntry& entry) {
  TifilesIoVariable variable{};
  std::strcpy(variable.folder, entry.folder.c_str());
  std::strcpy(variable.name, entry.name.c_str());
  variable.type = entry.type;
  variable.archived = entry.attribute == 3;
  variable.size = entry.data.size() + 2;
  variable.data[0] = static_cast<std::uint8_t>(entry.data.size() >> 8);
  variable.data[1] = static_cast<std::uint8_t>(entry.data.size());
  std::memcpy(variable.data + 2, entry.data.data(), entry.data.size());
  return variable;
}

void ExpectSameVariable(const TifilesIoVariable& read, const VariableEntry& entry) {
  EXPECT_STREQ(read.folder, entry.folder.c_str());
  EXPECT_STREQ(read.name, entry.name.c_str());
  EXPECT_EQ(read.type, entry.type);
  EXPECT_EQ(read.archived != 0, entry.attribute == 3);
  const TifilesIoVariable expected = ToLibrary(entry);
  ASSERT_EQ(read.size, expected.size);
  EXPECT_EQ(std::memcmp(read.data, expected.data, read.size), 0);
}

std::string NameFor(const testing::TempFolder& folder, const ModelRow& row,
                    const std::vector<VariableEntry>& entries) {
  return folder / (std::string("file.") +
                   tifiles_io_extension(row.library, entries[0].type, entries.size() > 1));
}

class TifilesFilesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tifiles_io_init(); }
  static void TearDownTestSuite() { tifiles_io_exit(); }
};

TEST_F(TifilesFilesTest, WhatTheLibraryWritesParsesAndWritesBackTheSame) {
  std::mt19937 random(17);
  for (const ModelRow& row : kModelRows) {
    for (const std::size_t count : {1u, 2u, 3u, 7u, 16u}) {
      SCOPED_TRACE(std::string(ModelName(row.model)) + ", " + std::to_string(count));
      const std::vector<VariableEntry> entries = RandomVariables(random, count);
      std::vector<TifilesIoVariable> library;
      for (const VariableEntry& entry : entries) library.push_back(ToLibrary(entry));
      testing::TempFolder folder;
      const std::string path = NameFor(folder, row, entries);
      ASSERT_EQ(
          tifiles_io_write(path.c_str(), row.library, library.data(), static_cast<unsigned>(count)),
          0);
      const std::string bytes = testing::ReadFile(path);

      const ParsedFile parsed = ParseVariableFile(bytes, bytes.size());
      ASSERT_TRUE(parsed.problems.empty()) << static_cast<int>(parsed.problems[0].kind);
      EXPECT_EQ(parsed.file.signature, SignatureFor(row.model));
      // The library keeps a group's variables together by folder.
      std::vector<VariableEntry> byFolder;
      for (const VariableEntry& first : entries) {
        if (std::any_of(byFolder.begin(), byFolder.end(),
                        [&](const VariableEntry& e) { return e.folder == first.folder; })) {
          continue;
        }
        for (const VariableEntry& entry : entries) {
          if (entry.folder == first.folder) byFolder.push_back(entry);
        }
      }
      EXPECT_EQ(parsed.file.entries, byFolder);
      EXPECT_TRUE(testing::SameBytes(WriteVariableFile(parsed.file), bytes));
    }
  }
}

TEST_F(TifilesFilesTest, WhatWeWriteTheLibraryReadsAsTheSameVariables) {
  std::mt19937 random(23);
  for (const ModelRow& row : kModelRows) {
    for (const std::size_t count : {1u, 2u, 5u, 16u}) {
      SCOPED_TRACE(std::string(ModelName(row.model)) + ", " + std::to_string(count));
      VariableFile file;
      file.signature = SignatureFor(row.model);
      file.comment = CommentText(row.model, "23/02/03, 14:09");
      file.entries = RandomVariables(random, count);
      testing::TempFolder folder;
      const std::string path = NameFor(folder, row, file.entries);
      testing::WriteFile(path, WriteVariableFile(file));

      const auto read = std::make_unique<TifilesIoFile>();
      tifiles_io_read_all(path.c_str(), read.get());
      ASSERT_EQ(read->error, 0);
      EXPECT_EQ(read->model, row.model == Model::Ti89 ? TIFILES_IO_TI89 : TIFILES_IO_TI92PLUS);
      EXPECT_TRUE(read->checksums_verified);
      ASSERT_EQ(read->count, count);
      for (std::size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        ExpectSameVariable(read->variables[i], file.entries[i]);
      }
      // And it reads back as itself.
      const std::string bytes = testing::ReadFile(path);
      const ParsedFile back = ParseVariableFile(bytes, bytes.size());
      EXPECT_TRUE(back.problems.empty());
      EXPECT_EQ(back.file.entries, file.entries);
    }
  }
}

// A group the library wrote, extracted for each model, gives files the library reads as the
// group's variables; made into a group again for that model, they give the group the
// library reads as the same variables.
TEST_F(TifilesFilesTest, ExtractedAndGroupedAgainTheLibraryReadsTheSameVariables) {
  std::mt19937 random(31);
  PosixFileSystem files;
  testing::ScriptedInteraction user;
  const testing::FixedClock clock(2026, 12, 8, 17, 0);
  GroupTransfer groups(files, user, clock, {'/', ':'});
  for (const ModelRow& from : kModelRows) {
    for (const ModelRow& to : kModelRows) {
      SCOPED_TRACE(std::string(ModelName(from.model)) + " to " + ModelName(to.model));
      const std::vector<VariableEntry> entries = RandomVariables(random, 6);
      std::vector<TifilesIoVariable> library;
      for (const VariableEntry& entry : entries) library.push_back(ToLibrary(entry));
      testing::TempFolder folder;
      const std::string path = NameFor(folder, from, entries);
      ASSERT_EQ(tifiles_io_write(path.c_str(), from.library, library.data(), 6), 0);

      Result<OpenedGroup> group = groups.Read(path);
      ASSERT_TRUE(group);
      const std::vector<std::string> names = ExtractedNames(group->file, to.model, folder / "");
      const auto read = std::make_unique<TifilesIoFile>();
      for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_TRUE(groups.Extract(*group, i, to.model, names[i]));
        tifiles_io_read_all(names[i].c_str(), read.get());
        ASSERT_EQ(read->error, 0) << names[i];
        EXPECT_TRUE(read->checksums_verified);
        ASSERT_EQ(read->count, 1u);
        ExpectSameVariable(read->variables[0], group->file.entries[i]);
      }
      const std::string again =
          folder / (std::string("again.") + tifiles_io_extension(to.library, 0, 1));
      ASSERT_TRUE(groups.Make(again, to.model, names));
      tifiles_io_read_all(again.c_str(), read.get());
      ASSERT_EQ(read->error, 0);
      EXPECT_EQ(read->model, to.model == Model::Ti89 ? TIFILES_IO_TI89 : TIFILES_IO_TI92PLUS);
      EXPECT_TRUE(read->checksums_verified);
      ASSERT_EQ(read->count, group->file.entries.size());
      for (std::size_t i = 0; i < read->count; ++i) {
        SCOPED_TRACE(i);
        ExpectSameVariable(read->variables[i], group->file.entries[i]);
      }
    }
  }
}

}  // namespace
}  // namespace orbisk
