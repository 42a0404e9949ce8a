// Every real file of tests/data, made on calculators or by other programs: checked sound (with
// its notes), its text read as its author's export shows it, converted to each other model
// and read back by libtifiles as the same variables, and the group listed and extracted.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "converter.hpp"
#include "file_check.hpp"
#include "files.hpp"
#include "fixed_clock.hpp"
#include "group_transfer.hpp"
#include "library_models.hpp"
#include "posix_file_system.hpp"
#include "scripted_interaction.hpp"
#include "temp_folder.hpp"
#include "text_notation.hpp"
#include "tifiles_io.h"
#include "variable_types.hpp"

namespace orbisk {
namespace {

const std::string kData = ORBISK_TEST_DATA;

// A program's text, and an export made by another program, in one notation: the export's
// stand-ins for − and ≤ replaced, the spaces after "Then" and at the ends of lines dropped,
// and empty last lines too.
std::string AsOurs(std::string text) {
  const auto replace = [&text](const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
      text.replace(at, from.size(), to);
    }
  };
  replace("\xC2\xAD", "−");
  replace("œ", "≤");
  replace("Then :", "Then:");
  std::string lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    line.erase(line.find_last_not_of(' ') + 1);
    lines += line + "\n";
    start = end + 1;
  }
  // A text that ends with a line end reads with an empty last line.
  while (lines.size() >= 2 && lines.compare(lines.size() - 2, 2, "\n\n") == 0) lines.pop_back();
  return lines;
}

// Long texts: the first line that differs, rather than both whole.
void ExpectSameLines(const std::string& ours, const std::string& theirs) {
  std::size_t line = 1;
  std::size_t at = 0;
  while (at < ours.size() && at < theirs.size() && ours[at] == theirs[at]) {
    if (ours[at] == '\n') ++line;
    ++at;
  }
  if (at == ours.size() && at == theirs.size()) return;
  const auto lineOf = [at](const std::string& text) {
    const std::size_t start = text.rfind('\n', at == 0 ? 0 : at - 1);
    const std::size_t from = start == std::string::npos || at == 0 ? 0 : start + 1;
    return text.substr(from, text.find('\n', from) - from);
  };
  ADD_FAILURE() << "line " << line << ": ours « " << lineOf(ours) << " », theirs « "
                << lineOf(theirs) << " »";
}

struct RealFile {
  const char* path;       // in tests/data
  const char* arguments;  // a program's first line; null for another type
  bool tokenized;
  bool moves;         // an assembly program stays on its model
  std::size_t notes;  // the old link software's signature, bytes after the end
};

const RealFile kRealFiles[] = {
    {"modsim/main.rotx.89f", "(φ)", true, true, 0},
    {"modsim/main.roty.89f", "(θ)", true, true, 0},
    {"modsim/main.rotz.89f", "(ψ)", true, true, 0},
    {"modsim/main.srchnrep.89f", "(str,sstr,rstr)", true, true, 0},
    {"modsim/modsim.colloc.89p", "(tau_lst)", true, true, 0},
    {"modsim/modsim.constlag.89p", "()", true, true, 0},
    {"modsim/modsim.genforce.89p", "()", true, true, 0},
    {"modsim/modsim.lagfunc.89p", "()", true, true, 0},
    {"modsim/modsim.skews.89f", "(invec)", true, true, 0},
    {"modsim/modsim.stabil.89f", "(a,b,n)", true, true, 0},
    {"sgs/sgsgeoan.89p", "(sel,nb)", true, true, 2},
    {"sgs/sgsapl.89p", "()", false, true, 0},
    {"sgs/sgsech.89p", "()", false, true, 0},
    {"sgs/bardef2.89p", "(x,y,xx,yy)", false, true, 0},
    {"sgs/imgapl.89i", nullptr, false, true, 2},
    {"sgs/sgs.imgcas.89i", nullptr, false, true, 2},
    {"sgs/tbl.89i", nullptr, false, true, 1},
    {"sgs/SGSsdk.89z", nullptr, false, false, 0},
    {"sgs/Sacha.89z", nullptr, false, false, 0},
    {"tilibs/group.89g", nullptr, false, true, 1},
};

class RealFilesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tifiles_io_init(); }
  static void TearDownTestSuite() { tifiles_io_exit(); }

  // The variables libtifiles reads in `path` are `entries`, byte for byte.
  static void ExpectLibraryReads(const std::string& path,
                                 const std::vector<VariableEntry>& entries) {
    const auto read = std::make_unique<TifilesIoFile>();
    tifiles_io_read_all(path.c_str(), read.get());
    ASSERT_EQ(read->error, 0) << path;
    EXPECT_TRUE(read->checksums_verified);
    ASSERT_EQ(read->count, entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const TifilesIoVariable& variable = read->variables[i];
      EXPECT_STREQ(variable.name, entries[i].name.c_str());
      EXPECT_EQ(variable.type, entries[i].type);
      ASSERT_EQ(variable.size, entries[i].data.size() + 2);
      EXPECT_EQ(std::memcmp(variable.data + 2, entries[i].data.data(), entries[i].data.size()), 0)
          << entries[i].name;
    }
  }

  PosixFileSystem files_;
  testing::ScriptedInteraction user_;
  testing::FixedClock clock_{2026, 12, 9, 10, 0};
};

TEST_F(RealFilesTest, EveryRealFileIsSoundReadAndConvertedAsTheSameVariables) {
  for (const RealFile& real : kRealFiles) {
    SCOPED_TRACE(real.path);
    const std::string path = kData + "/" + real.path;
    const std::string bytes = testing::ReadFile(path);
    const FileReport report = CheckVariableFile(bytes, bytes.size(), path);
    EXPECT_TRUE(report.problems.empty()) << report.problems.size();
    EXPECT_EQ(report.notes.size(), real.notes);
    EXPECT_EQ(report.model, Model::Ti89);
    ASSERT_TRUE(report.file);
    EXPECT_EQ(report.tokenized.has_value(), real.tokenized);

    // Its text, as --show, --to-text and the editor read it.
    if (real.arguments != nullptr) {
      ASSERT_TRUE(report.text);
      const std::string shown = TextToUtf8(report.text->text, Notation::Program);
      EXPECT_EQ(shown.substr(0, shown.find('\n')), real.arguments);
      if (report.tokenized) {
        EXPECT_TRUE(report.tokenized->unknown.empty());
        EXPECT_FALSE(report.tokenized->cutShort);
        EXPECT_EQ(shown.find("◆"), std::string::npos);
      }
      const std::string exported = path + ".txt";
      if (std::filesystem::exists(exported)) {
        ExpectSameLines(AsOurs(shown), AsOurs(testing::ReadFile(exported)));
      }
    }

    // Converted to each other model: libtifiles reads the same variables.
    for (const Model model : {Model::Ti92Plus, Model::Voyager200}) {
      testing::TempFolder folder;
      const std::string source = folder / std::filesystem::path(path).filename().string();
      testing::WriteFile(source, bytes);
      Converter converter(files_, user_, clock_, {'/', ':'});
      const Result<std::string> target = converter.ConvertBeside(model, source);
      ASSERT_EQ(static_cast<bool>(target), real.moves);
      if (!real.moves) {
        EXPECT_EQ(target.error().kind, ErrorKind::CannotMove);
        EXPECT_EQ(folder.Entries().size(), 1u);
        continue;
      }
      ExpectLibraryReads(*target, report.file->entries);
    }
  }
  for (const auto& shown : user_.shown) ADD_FAILURE() << shown.text;
}

// libtifiles' own group: each of its variables extracted for each model reads back the same.
TEST_F(RealFilesTest, TheRealGroupIsListedAndEachVariableExtracted) {
  GroupTransfer groups(files_, user_, clock_, {'/', ':'});
  const Result<OpenedGroup> group = groups.Read(kData + "/tilibs/group.89g");
  ASSERT_TRUE(group);
  ASSERT_EQ(group->file.entries.size(), 12u);
  for (const ModelRow& row : kModelRows) {
    testing::TempFolder folder;
    for (std::size_t i = 0; i < group->file.entries.size(); ++i) {
      const VariableEntry& entry = group->file.entries[i];
      SCOPED_TRACE(entry.name + " for " + ModelName(row.model));
      const std::string target =
          folder / (entry.name + "." + tifiles_io_extension(row.library, entry.type, 0));
      ASSERT_TRUE(groups.Extract(*group, i, row.model, target));
      ExpectLibraryReads(target, {entry});
    }
  }
  for (const auto& shown : user_.shown) ADD_FAILURE() << shown.text;
}

}  // namespace
}  // namespace orbisk
