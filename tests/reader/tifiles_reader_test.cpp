// An independent reader agrees with us: TI92+ text files written with libtifiles, converted
// both ways, read back by libtifiles as files of the target model with the same variable.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "converter.hpp"
#include "files.hpp"
#include "fixed_clock.hpp"
#include "posix_file_system.hpp"
#include "scripted_interaction.hpp"
#include "temp_folder.hpp"
#include "text_transfer.hpp"
#include "tifiles_io.h"

namespace orbisk {
namespace {

// A text variable's data: its size on two bytes (big-endian), then `size` bytes of content:
// the cursor position, lines that each start with a space, and the end mark 00 E0.
std::vector<std::uint8_t> TextData(unsigned size) {
  std::vector<std::uint8_t> data{static_cast<std::uint8_t>(size >> 8),
                                 static_cast<std::uint8_t>(size & 0xff), 0x00, 0x01};
  for (unsigned i = 2; i + 2 < size; ++i) {
    data.push_back(i % 40 == 2 ? ' '
                               : (i % 40 == 39 ? '\r' : static_cast<std::uint8_t>('a' + i % 26)));
  }
  data.push_back(0x00);
  data.push_back(0xE0);
  return data;
}

// Reads `path` with the library and checks it holds our one variable, intact.
void ExpectReadBack(const std::string& path, TifilesIoModel model,
                    const std::vector<std::uint8_t>& data, const char* name = "notes") {
  const auto read = std::make_unique<TifilesIoRead>();
  tifiles_io_read(path.c_str(), read.get());
  ASSERT_EQ(read->error, 0) << path;
  EXPECT_EQ(read->by_name, model);
  EXPECT_TRUE(read->compatible_content);
  EXPECT_TRUE(read->checksum_verified);
  EXPECT_STREQ(read->default_folder, "main");
  ASSERT_EQ(read->entries, 1u);
  EXPECT_STREQ(read->folder, "main");
  EXPECT_STREQ(read->name, name);
  EXPECT_EQ(read->type, static_cast<unsigned>(TIFILES_IO_TEXT_TYPE));
  ASSERT_EQ(read->size, data.size());
  EXPECT_EQ(std::memcmp(read->data, data.data(), data.size()), 0);
}

class TifilesReaderTest : public ::testing::TestWithParam<unsigned> {
 protected:
  static void SetUpTestSuite() { tifiles_io_init(); }
  static void TearDownTestSuite() { tifiles_io_exit(); }
};

TEST_P(TifilesReaderTest, ReadsOurConversionsBothWays) {
  const std::vector<std::uint8_t> data = TextData(GetParam());
  testing::TempFolder folder;
  ASSERT_EQ(
      tifiles_io_write_ti92plus_text((folder / "notes.9xt").c_str(), data.data(), data.size()), 0);
  ExpectReadBack(folder / "notes.9xt", TIFILES_IO_TI92PLUS, data);

  PosixFileSystem files;
  testing::ScriptedInteraction user;
  testing::FixedClock clock(2003, 2, 23, 14, 9);
  Converter converter(files, user, clock, {'/', ':'});
  ASSERT_TRUE(converter.Convert(Model::Voyager200, folder / "notes.9xt", folder / "notes.v2t"));
  ExpectReadBack(folder / "notes.v2t", TIFILES_IO_V200, data);

  ASSERT_TRUE(converter.Convert(Model::Ti92Plus, folder / "notes.v2t", folder / "back.9xt"));
  ExpectReadBack(folder / "back.9xt", TIFILES_IO_TI92PLUS, data);
  EXPECT_TRUE(user.shown.empty());
}

// From the smallest text (no line at all) to the largest size field the format has.
INSTANTIATE_TEST_SUITE_P(Sizes, TifilesReaderTest,
                         ::testing::Values(4u, 5u, 42u, 1000u, 32767u, 32768u, 65534u, 65535u));

// Files made from UTF-8 text are read by the library as files of the model asked for, with
// the variable's folder, name, type and data as written.
TEST(TifilesImportTest, ReadsTheFilesWeMakeFromTextForEachModel) {
  tifiles_io_init();
  struct Row {
    Model model;
    TifilesIoModel read;
  };
  const std::size_t lengths[] = {0, 1, 200, 65531};
  for (const Row& row :
       {Row{Model::Voyager200, TIFILES_IO_V200}, Row{Model::Ti92Plus, TIFILES_IO_TI92PLUS},
        Row{Model::Ti89, TIFILES_IO_TI89}}) {
    for (const std::size_t length : lengths) {
      SCOPED_TRACE(std::string(ExtensionOf(row.model)) + ", " + std::to_string(length));
      testing::TempFolder folder;
      // Lines of "π≤x" and an ordinary line's command code before each.
      std::string utf8;
      std::vector<std::uint8_t> text;
      for (std::size_t i = 0; text.size() < length; ++i) {
        const bool lineStart = text.empty() || text.back() == '\r';
        if (lineStart) {
          text.push_back(' ');
        } else if (i % 31 == 0) {
          text.push_back('\r');
          utf8 += "\n";
        } else {
          static const char* const kUtf8[] = {"π", "≤", "x"};
          static const std::uint8_t kCodes[] = {0x8C, 0x9C, 'x'};
          text.push_back(kCodes[i % 3]);
          utf8 += kUtf8[i % 3];
        }
      }
      // An empty text is one ordinary line; a text ending in a line end ends in an empty one.
      if (text.empty()) text.push_back(' ');
      if (text.back() == '\r') text.push_back(' ');
      if (text.size() > 65531) text.resize(65531);
      testing::WriteFile(folder / "notes.txt", utf8);
      PosixFileSystem files;
      testing::ScriptedInteraction user;
      testing::FixedClock clock(2003, 2, 23, 14, 9);
      const std::string target = folder / (std::string("notes.") + ExtensionOf(row.model));
      ASSERT_TRUE(TextTransfer(files, user, clock, {'/', ':'})
                      .Import(folder / "notes.txt", target, row.model, "notes"));
      const std::size_t size = text.size() + 4;
      std::vector<std::uint8_t> data{static_cast<std::uint8_t>(size >> 8),
                                     static_cast<std::uint8_t>(size), 0x00, 0x01};
      data.insert(data.end(), text.begin(), text.end());
      data.push_back(0x00);
      data.push_back(0xE0);
      ExpectReadBack(target, row.read, data);
    }
  }
  tifiles_io_exit();
}

// Files libtifiles writes, damaged by planted faults, repaired by us and read back by the
// library as the same variable, its checksum right.
TEST(TifilesRepairTest, RepairedFilesReadBackAsTheVariableTheyHeld) {
  tifiles_io_init();
  const std::vector<std::uint8_t> data = TextData(300);
  struct Row {
    const char* name;
    std::size_t at;  // from the end when negative
    long offset;
    std::uint8_t value;
  };
  const Row rows[] = {{"checksum", 0, -1, 0x5A},
                      {"file size field", 0x4C, 0, 0x10},
                      {"variable size", 0x57, 0, 0x20},
                      {"closing tag", 0, -3, 0x01},
                      {"first marker", 0x08, 0, 0x07}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    testing::TempFolder folder;
    const std::string path = folder / "notes.9xt";
    ASSERT_EQ(tifiles_io_write_ti92plus_text(path.c_str(), data.data(), data.size()), 0);
    const std::string sound = testing::ReadFile(path);
    std::string damaged = sound;
    const std::size_t at =
        row.offset < 0 ? damaged.size() - static_cast<std::size_t>(-row.offset) : row.at;
    damaged[at] = static_cast<char>(damaged[at] ^ row.value);
    testing::WriteFile(path, damaged);

    PosixFileSystem files;
    testing::ScriptedInteraction user;
    testing::FixedClock clock(2003, 2, 23, 14, 9);
    ASSERT_TRUE(
        user.Reported(TextTransfer(files, user, clock, {'/', ':'}).Repair(path, {true, false})));
    ExpectReadBack(path, TIFILES_IO_TI92PLUS, data);
    EXPECT_TRUE(testing::SameBytes(testing::ReadFile(path), sound));
    EXPECT_EQ(testing::ReadFile(path + "~"), damaged);
  }
  // A TI92+ file named as a TI-89 one: on request, it gets the signature of its name.
  testing::TempFolder folder;
  const std::string misnamed = folder / "notes.89t";
  ASSERT_EQ(tifiles_io_write_ti92plus_text(misnamed.c_str(), data.data(), data.size()), 0);
  PosixFileSystem files;
  testing::ScriptedInteraction user;
  testing::FixedClock clock(2003, 2, 23, 14, 9);
  ASSERT_TRUE(
      user.Reported(TextTransfer(files, user, clock, {'/', ':'}).Repair(misnamed, {false, true})));
  ExpectReadBack(misnamed, TIFILES_IO_TI89, data);
  tifiles_io_exit();
}

}  // namespace
}  // namespace orbisk
