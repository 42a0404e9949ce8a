// How a target may not be written: over its own source, over a file the same run wrote, in a
// folder the user may not write in; and how a file the user opened is saved over: without a
// question, unless it changed on disk since it was read.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <filesystem>

#include "converter.hpp"
#include "faulty_file_system.hpp"
#include "file_check.hpp"
#include "files.hpp"
#include "fixed_clock.hpp"
#include "posix_file_system.hpp"
#include "scripted_interaction.hpp"
#include "temp_folder.hpp"
#include "text_transfer.hpp"

namespace orbisk {
namespace {

template <typename T>
Status StatusOf(const Result<T>& result) {
  return result ? Status() : Status(result.error());
}

using testing::ReadFile;
using testing::SampleTi92PlusFile;
using testing::WriteFile;
using Kind = testing::ScriptedInteraction::Kind;
using Names = std::vector<std::string>;

class TargetFileTest : public ::testing::Test {
 protected:
  TextTransfer Texts(FileSystem& files) { return TextTransfer(files, user_, clock_, {'/', ':'}); }

  testing::TempFolder folder_;
  PosixFileSystem files_;
  testing::ScriptedInteraction user_;
  testing::FixedClock clock_{2003, 2, 23, 14, 9};
};

// Exporting or importing onto the file read refuses, whatever the names, before any question.
TEST_F(TargetFileTest, NoTextModeWritesOverItsOwnSource) {
  WriteFile(folder_ / "calc.txt", testing::CalculatorTextFile(" Bonjour"));
  WriteFile(folder_ / "notes.v2t", "Bonjour\n");
  std::filesystem::create_symlink("notes.v2t", folder_ / "link.v2t");
  struct Row {
    const char* name;
    std::function<Status()> act;
    std::string source;
    std::string target;
  };
  const Row rows[] = {
      {"--to-text of a calculator file named .txt",
       [&] { return StatusOf(Texts(files_).Export(folder_ / "calc.txt", folder_ / "calc.txt")); },
       folder_ / "calc.txt", folder_ / "calc.txt"},
      {"--from-text onto the text itself",
       [&] {
         return StatusOf(Texts(files_).Import(folder_ / "notes.v2t", folder_ / "notes.v2t",
                                              Model::Voyager200, "notes"));
       },
       folder_ / "notes.v2t", folder_ / "notes.v2t"},
      {"--from-text onto a link to the text",
       [&] {
         return StatusOf(Texts(files_).Import(folder_ / "notes.v2t", folder_ / "link.v2t",
                                              Model::Voyager200, "notes"));
       },
       folder_ / "notes.v2t", folder_ / "link.v2t"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    user_.shown.clear();
    EXPECT_FALSE(user_.Reported(row.act()));
    ASSERT_EQ(user_.shown.size(), 1u);
    EXPECT_EQ(user_.shown[0].kind, Kind::Failure);
    EXPECT_EQ(user_.shown[0].text, row.source + " et " + row.target + " sont le même fichier.");
  }
  EXPECT_EQ(ReadFile(folder_ / "calc.txt"), testing::CalculatorTextFile(" Bonjour"));
  EXPECT_EQ(ReadFile(folder_ / "notes.v2t"), "Bonjour\n");
}

// Within one run a file written is never replaced by another source's result; the files
// of other runs are asked about as always.
TEST_F(TargetFileTest, ARunNeverReplacesAFileItWrote) {
  const std::string first = SampleTi92PlusFile(300);
  WriteFile(folder_ / "cours.v1.9xt", first);
  WriteFile(folder_ / "cours.v2.9xt", SampleTi92PlusFile(400));
  Converter converter(files_, user_, clock_, {'/', ':'});
  WrittenFiles written;
  ASSERT_TRUE(user_.Reported(converter.Convert(Model::Voyager200, folder_ / "cours.v1.9xt",
                                               folder_ / "cours.v2t", &written)));
  EXPECT_FALSE(user_.Reported(converter.Convert(Model::Voyager200, folder_ / "cours.v2.9xt",
                                                folder_ / "cours.v2t", &written)));
  ASSERT_EQ(user_.shown.size(), 1u);
  EXPECT_EQ(user_.shown[0].kind, Kind::Failure);
  EXPECT_EQ(user_.shown[0].text, "Ne remplace pas " + folder_ / "cours.v2t" +
                                     " qui vient d'être créé, par le résultat de " +
                                     folder_ / "cours.v2.9xt" + ".");
  EXPECT_TRUE(testing::SameBytes(ReadFile(folder_ / "cours.v2t"),
                                 testing::ExpectedV200(first, "23/02/03, 14:09")));
  // Another run asks.
  user_ = testing::ScriptedInteraction({true});
  WrittenFiles other;
  EXPECT_TRUE(user_.Reported(converter.Convert(Model::Voyager200, folder_ / "cours.v2.9xt",
                                               folder_ / "cours.v2t", &other)));
  EXPECT_EQ(user_.shown.size(), 1u);
  EXPECT_EQ(user_.shown[0].kind, Kind::Question);
}

TEST_F(TargetFileTest, AFolderTheUserMayNotWriteInIsNamedAsTheCause) {
  WriteFile(folder_ / "prog.9xt", SampleTi92PlusFile(100));
  for (const bool unnamed : {true, false}) {
    testing::FaultyFileSystem files(files_);
    files.FailAt(unnamed ? testing::Step::CreateUnnamed : testing::Step::CreateNew, 0, EACCES);
    if (!unnamed) files.FailAt(testing::Step::CreateUnnamed, 0, EOPNOTSUPP);
    user_.shown.clear();
    Converter converter(files, user_, clock_, {'/', ':'});
    EXPECT_FALSE(user_.Reported(
        converter.Convert(Model::Voyager200, folder_ / "prog.9xt", folder_ / "prog.v2t")));
    ASSERT_EQ(user_.shown.size(), 1u);
    EXPECT_EQ(user_.shown[0].text, "Impossible d'écrire le fichier " + folder_ / "prog.v2t" +
                                       " : vous n'avez pas le droit d'écrire dans le dossier " +
                                       folder_.path().string() + ".");
  }
  EXPECT_EQ(folder_.Entries(), Names{"prog.9xt"});
}

// A file the user opened is saved over without a question, with what was asked written;
// one that changed on disk since is asked about first, and kept when the answer is No.
TEST_F(TargetFileTest, SavingOverTheOpenedFileAsksOnlyWhenItChangedOnDisk) {
  const std::string path = folder_ / "notes.9xt";
  WriteFile(path, testing::CalculatorTextFile(" Bonjour"));
  Result<OpenedText> opened = Texts(files_).Read(path);
  ASSERT_TRUE(opened);
  const ParsedFile edited = ParseVariableFile(testing::CalculatorTextFile(" Bonsoir"),
                                              testing::CalculatorTextFile(" Bonsoir").size());

  const Result<FileInfo> saved = Texts(files_).Save(path, edited.file, &*opened);
  ASSERT_TRUE(user_.Reported(saved));
  EXPECT_TRUE(user_.shown.empty());
  EXPECT_EQ(ReadFile(path), testing::CalculatorTextFile(" Bonsoir"));
  // The details given are the file's as it now stands, to save over it again unasked.
  FileInfo now;
  ASSERT_EQ(files_.Stat(kCurrentFolder, path, now), 0);
  EXPECT_TRUE(now.Unchanged(*saved));
  OpenedText written = *opened;
  written.info = *saved;
  ASSERT_TRUE(user_.Reported(Texts(files_).Save(path, edited.file, &written)));
  EXPECT_TRUE(user_.shown.empty());

  // Changed by someone else since it was read: a later modification time.
  opened = Texts(files_).Read(path);
  ASSERT_TRUE(opened);
  WriteFile(path, testing::CalculatorTextFile(" Changé"));
  const struct utimbuf later {
    opened->info.modified.tv_sec + 10, opened->info.modified.tv_sec + 10
  };
  ASSERT_EQ(::utime(path.c_str(), &later), 0);
  for (const bool answer : {false, true}) {
    user_ = testing::ScriptedInteraction({answer});
    EXPECT_EQ(user_.Reported(Texts(files_).Save(path, edited.file, &*opened)), answer);
    ASSERT_EQ(user_.shown.size(), 1u);
    EXPECT_EQ(user_.shown[0].text,
              path + " a changé sur le disque depuis qu'il a été lu. Voulez-vous l'écraser ?");
    EXPECT_EQ(ReadFile(path), answer ? testing::CalculatorTextFile(" Bonsoir")
                                     : testing::CalculatorTextFile(" Changé"));
  }

  // Saved under another name that exists, it is the usual question.
  WriteFile(folder_ / "other.9xt", "other");
  user_ = testing::ScriptedInteraction({false});
  EXPECT_FALSE(user_.Reported(Texts(files_).Save(folder_ / "other.9xt", edited.file, &*opened)));
  EXPECT_EQ(user_.shown[0].text, folder_ / "other.9xt" + " existe déjà. Voulez-vous l'écraser ?");
}

// A target whose path the system accepts is written, even where the temporary file's full
// path would be too long: everything is done relative to the target's folder.
TEST_F(TargetFileTest, WritesInAFolderWhosePathLeavesNoRoomForATemporaryName) {
  std::string deep = folder_.path().string();
  while (deep.size() < 4085) {
    deep += "/" + std::string(std::min<std::size_t>(200, 4085 - deep.size() - 1), 'd');
  }
  std::filesystem::create_directories(deep);
  const std::string source = deep + "/p.9xt";
  const std::string target = deep + "/p.v2t";
  ASSERT_LT(target.size(), 4096u);
  WriteFile(source, SampleTi92PlusFile(500));
  WriteFile(target, "old");
  for (const bool unnamed : {true, false}) {
    SCOPED_TRACE(unnamed ? "unnamed" : "named");
    testing::FaultyFileSystem files(files_);
    if (!unnamed) files.FailAt(testing::Step::CreateUnnamed, 0, EOPNOTSUPP);
    user_ = testing::ScriptedInteraction({true});
    Converter converter(files, user_, clock_, {'/', ':'});
    EXPECT_TRUE(user_.Reported(converter.Convert(Model::Voyager200, source, target)));
    EXPECT_TRUE(testing::SameBytes(
        ReadFile(target), testing::ExpectedV200(SampleTi92PlusFile(500), "23/02/03, 14:09")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(deep),
                            std::filesystem::directory_iterator{}),
              2);
  }
}

}  // namespace
}  // namespace orbisk
