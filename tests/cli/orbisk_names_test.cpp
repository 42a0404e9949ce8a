// The real orbisk where names could lose a file or mislead: a target that is its own
// source, two sources onto one target, output that cannot be written, names that would
// drive a terminal, folders too deep for a temporary name, files that lie about their size.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "file_check.hpp"
#include "files.hpp"
#include "orbisk_runner.hpp"
#include "temp_folder.hpp"

namespace orbisk {
namespace {

using testing::Invocation;
using testing::Outcome;
using testing::ReadFile;
using testing::SampleTi92PlusFile;
using testing::WriteFile;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

class OrbiskNamesTest : public ::testing::Test {
 protected:
  Outcome Orbisk(std::vector<std::string> arguments,
                 Invocation::Output output = Invocation::Output::Captured) {
    Invocation invocation = testing::OrbiskIn(work_, std::move(arguments));
    invocation.output = output;
    return testing::RunProgram(invocation);
  }

  testing::TempFolder work_;
};

// Whatever names lead to it, a file is never its own target: refused before any question
// (even with --yes), exit 1, the file as it was.
TEST_F(OrbiskNamesTest, NoModeWritesAFileOverItself) {
  WriteFile(work_ / "notes.v2t", "Bonjour ≈\n");
  WriteFile(work_ / "calc.txt", testing::CalculatorTextFile(" Bonjour"));
  WriteFile(work_ / "b.v2t", SampleTi92PlusFile(300));
  WriteFile(work_ / "a.9xt", SampleTi92PlusFile(200));
  fs::create_symlink("a.9xt", work_.path() / "a.v2t");
  struct Row {
    std::vector<std::string> arguments;
    std::string said;
  };
  const Row rows[] = {
      {{"--from-text", "--to", "v2t", "--yes", "notes.v2t"},
       "notes.v2t et notes.v2t sont le même fichier.\n"},
      {{"--to-text", "--yes", "calc.txt"}, "calc.txt et calc.txt sont le même fichier.\n"},
      {{"--to", "v2t", "--yes", "b.v2t"}, "b.v2t et b.v2t sont le même fichier.\n"},
      {{"--yes", "a.9xt"}, "a.9xt et a.v2t sont le même fichier.\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments.front() + " " + row.arguments.back());
    const Outcome outcome = Orbisk(row.arguments);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, row.said);
  }
  EXPECT_EQ(ReadFile(work_ / "notes.v2t"), "Bonjour ≈\n");
  EXPECT_EQ(ReadFile(work_ / "calc.txt"), testing::CalculatorTextFile(" Bonjour"));
  EXPECT_EQ(ReadFile(work_ / "b.v2t"), SampleTi92PlusFile(300));
  EXPECT_EQ(ReadFile(work_ / "a.9xt"), SampleTi92PlusFile(200));
  EXPECT_TRUE(fs::is_symlink(work_.path() / "a.v2t"));
}

// Two sources whose targets share a name: the first is written, the second refused as cp
// refuses it, the other files still done, exit 1.
TEST_F(OrbiskNamesTest, TwoSourcesNeverWriteOneTargetInOneRun) {
  WriteFile(work_ / "cours.v1.9xt", SampleTi92PlusFile(300));
  WriteFile(work_ / "cours.v2.9xt", SampleTi92PlusFile(400));
  WriteFile(work_ / "autre.9xt", SampleTi92PlusFile(500));
  WriteFile(work_ / "texte.9xt", testing::CalculatorTextFile(" un"));
  WriteFile(work_ / "texte.v2t", testing::CalculatorTextFile(" deux"));
  WriteFile(work_ / "notes.txt", "un\n");
  WriteFile(work_ / "notes.md", "deux\n");
  struct Row {
    std::vector<std::string> arguments;
    std::string target;
    std::string second;
  };
  const Row rows[] = {
      {{"-y", "cours.v1.9xt", "cours.v2.9xt", "autre.9xt"}, "cours.v2t", "cours.v2.9xt"},
      {{"--to-text", "-y", "texte.9xt", "texte.v2t"}, "texte.txt", "texte.v2t"},
      {{"--from-text", "--to", "89t", "-y", "notes.txt", "notes.md"}, "notes.89t", "notes.md"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.target);
    const Outcome outcome = Orbisk(row.arguments);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Ne remplace pas " + row.target +
                               " qui vient d'être créé, par le résultat de " + row.second + ".\n");
  }
  EXPECT_TRUE(testing::IsV200Of(ReadFile(work_ / "cours.v2t"), SampleTi92PlusFile(300)));
  EXPECT_TRUE(testing::IsV200Of(ReadFile(work_ / "autre.v2t"), SampleTi92PlusFile(500)));
  EXPECT_EQ(ReadFile(work_ / "texte.txt"), "un\n");
  EXPECT_NE(ReadFile(work_ / "notes.89t").find(" un"), std::string::npos);
}

// Output that is lost fails the run, said once on standard error, as cat does; a pipe
// closed at its other end ends it by SIGPIPE, as it does cat.
TEST_F(OrbiskNamesTest, OutputThatCannotBeWrittenFailsTheRun) {
  WriteFile(work_ / "notes.9xt", testing::CalculatorTextFile(" Bonjour"));
  const std::vector<std::vector<std::string>> runs = {{"--show", "notes.9xt"},
                                                      {"--check", "notes.9xt"},
                                                      {"--help"},
                                                      {"--version"},
                                                      {"--notify", "--yes", "notes.9xt"}};
  for (const auto& arguments : runs) {
    SCOPED_TRACE(arguments.front());
    const Outcome full = Orbisk(arguments, Invocation::Output::Full);
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err,
              "orbisk : erreur d'écriture sur la sortie standard : Plus de place sur le "
              "périphérique.\n");
    const Outcome closed = Orbisk(arguments, Invocation::Output::Closed);
    EXPECT_EQ(closed.status, 1);
    EXPECT_EQ(closed.err,
              "orbisk : erreur d'écriture sur la sortie standard : Mauvais descripteur de "
              "fichier.\n");
    // No file opened meanwhile took standard output's number: the word on success did not
    // land in the target.
    if (arguments.front() == "--notify") {
      EXPECT_TRUE(testing::IsV200Of(ReadFile(work_ / "notes.v2t"),
                                    testing::CalculatorTextFile(" Bonjour")));
    }
    EXPECT_EQ(Orbisk(arguments, Invocation::Output::BrokenPipe).status, 128 + SIGPIPE);
  }
}

// A name that holds control characters is quoted as the shell would read it back, in every
// message, the question and --check's lines; ordinary names read as they are.
TEST_F(OrbiskNamesTest, NamesThatWouldDriveATerminalAreQuoted) {
  const std::string hostile = "a\033]0;title\007\033[2J\nfake.9xt";
  const std::string quoted = "'a'$'\\033'']0;title'$'\\a\\033''[2J'$'\\n''fake.9xt'";
  // Not a calculator file, nor a text (a 00 byte in it): --check lists what is wrong.
  WriteFile(work_ / hostile,
            std::string("not a calculator file") + '\0' + ", but long enough for a header to fit");
  const Outcome check = Orbisk({"--check", "--", hostile});
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.out.rfind(quoted + " : ", 0), 0u) << check.out;
  EXPECT_EQ(Orbisk({"--", work_ / "missing\033[31m"}).err,
            "Le fichier '" + work_ / "missing'$'\\033''[31m.9xt' n'existe pas\n");

  WriteFile(work_ / "b\tc.9xt", SampleTi92PlusFile(100));
  WriteFile(work_ / "b\tc.v2t", "old");
  Invocation asked = testing::OrbiskIn(work_, {"--", "b\tc.9xt"});
  EXPECT_EQ(testing::RunProgram(asked).err,
            "'b'$'\\t''c.v2t' existe déjà. Voulez-vous l'écraser ? Non : personne pour répondre ; "
            "utilisez --yes pour l'écraser.\n");
  // Spaces, accents and quotes read as they are.
  EXPECT_EQ(Orbisk({"--", work_ / "l'été 2.9xt"}).err,
            "Le fichier " + work_ / "l'été 2.9xt" + " n'existe pas\n");
}

// A new target in a folder the user may not write in: the folder is named as the cause.
TEST_F(OrbiskNamesTest, AFolderTheUserMayNotWriteInIsNamed) {
  fs::create_directory(work_.path() / "locked");
  WriteFile(work_ / "locked/prog.9xt", SampleTi92PlusFile(100));
  ASSERT_EQ(::chmod((work_ / "locked").c_str(), 0555), 0);
  Invocation asUser = testing::OrbiskIn(work_, {"locked/prog.9xt"});
  testing::TempFolder programFolder;
  if (::geteuid() == 0) {
    // Root may write anywhere: run as nobody, with a copy of the program nobody may run.
    ASSERT_EQ(::chmod(work_.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(programFolder.path().c_str(), 0755), 0);
    asUser.program = programFolder / "orbisk";
    fs::copy_file(ORBISK_EXECUTABLE, asUser.program);
    asUser.user = 65534;
  }
  const Outcome outcome = testing::RunProgram(asUser);
  ::chmod((work_ / "locked").c_str(), 0755);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err,
            "Impossible d'écrire le fichier locked/prog.v2t : vous n'avez pas le "
            "droit d'écrire dans le dossier locked.\n");
  EXPECT_EQ(fs::exists(work_.path() / "locked/prog.v2t"), false);
}

// A target whose path the system takes is written, even in a folder so deep that a hidden
// temporary name beside it would be too long.
TEST_F(OrbiskNamesTest, WritesInFoldersTooDeepForATemporaryNameBesideTheTarget) {
  std::string deep = work_.path().string();
  while (deep.size() < 4085) {
    deep += "/" + std::string(std::min<std::size_t>(200, 4085 - deep.size() - 1), 'd');
  }
  fs::create_directories(deep);
  WriteFile(deep + "/p.9xt", SampleTi92PlusFile(500));
  WriteFile(deep + "/p.v2t", "old");
  const Outcome outcome = Orbisk({"--yes", deep + "/p.9xt"});
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_TRUE(testing::IsV200Of(ReadFile(deep + "/p.v2t"), SampleTi92PlusFile(500)));
}

// Files of /proc and /sys tell sizes they do not hold: what was read is what is told.
// Those that hold text are said to be plain texts, in one line.
TEST_F(OrbiskNamesTest, SizesToldAreWhatWasRead) {
  for (const std::string& file :
       {std::string("/sys/kernel/uevent_seqnum"), std::string("/proc/sys/kernel/ostype")}) {
    if (!fs::exists(file)) continue;
    const Outcome check = Orbisk({"--check", file});
    EXPECT_EQ(check.out, file +
                             " est un fichier texte ordinaire, pas un fichier de calculatrice ; "
                             "pour en faire un : orbisk --from-text " +
                             file + "\n");
  }
  // One that holds bytes, longer than a header, is read whole and checked as any file.
  const std::string binary = "/proc/self/auxv";
  const Outcome longer = Orbisk({"--check", binary});
  EXPECT_EQ(longer.out.find("trop peu"), std::string::npos) << longer.out;
  EXPECT_NE(longer.out.find("mais il en fait " + std::to_string(ReadFile(binary).size())),
            std::string::npos)
      << longer.out;
}

// A byte order mark, as Windows editors write first, is no text: dropped without a word.
TEST_F(OrbiskNamesTest, AByteOrderMarkIsDroppedSilently) {
  WriteFile(work_ / "notes.txt",
            "\xEF\xBB\xBF"
            "Bonjour\n");
  const Outcome outcome = Orbisk({"--from-text", "--to", "9xt", "notes.txt"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.err, "");
  const std::string made = ReadFile(work_ / "notes.9xt");
  const FileReport report = CheckVariableFile(made, made.size(), "notes.9xt");
  ASSERT_TRUE(report.text);
  EXPECT_EQ(report.text->text.Codes(), " Bonjour");
}

}  // namespace
}  // namespace orbisk
