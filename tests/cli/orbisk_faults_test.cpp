// The real orbisk under real faults: size limits, wrong kinds of files, a kill in the middle,
// two processes racing for one target, and names that are hard to handle.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <thread>

#include "files.hpp"
#include "orbisk_runner.hpp"
#include "temp_folder.hpp"

namespace orbisk {
namespace {

using testing::ChildProcess;
using testing::Invocation;
using testing::IsV200Of;
using testing::OrbiskIn;
using testing::Outcome;
using testing::ReadFile;
using testing::RunProgram;
using testing::SampleTi92PlusFile;
using testing::WriteFile;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

class OrbiskFaultsTest : public ::testing::Test {
 protected:
  Outcome Orbisk(std::vector<std::string> arguments) {
    return RunProgram(OrbiskIn(work_, std::move(arguments)));
  }
  // The temporary files a conversion left in the work folder.
  int Leftovers() const {
    int count = 0;
    for (const std::string& name : work_.Entries()) count += name.rfind(".orbisk-", 0) == 0;
    return count;
  }

  testing::TempFolder work_;
};

TEST_F(OrbiskFaultsTest, AFileSizeLimitFailsTheConversionAndKeepsTheOldTarget) {
  WriteFile(work_ / "prog.9xt", SampleTi92PlusFile(1 << 20));
  WriteFile(work_ / "prog.v2t", "old target");
  Invocation invocation = OrbiskIn(work_, {"--yes", "prog.9xt"});
  invocation.fileSizeLimit = 256 << 10;
  const Outcome outcome = RunProgram(invocation);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "Impossible d'écrire le fichier prog.v2t : Fichier trop gros.\n");
  EXPECT_EQ(ReadFile(work_ / "prog.v2t"), "old target");
  EXPECT_EQ(work_.Entries(), (Names{"prog.9xt", "prog.v2t"}));
}

TEST_F(OrbiskFaultsTest, ATargetThatIsAFolderIsRefused) {
  WriteFile(work_ / "prog.9xt", SampleTi92PlusFile(100));
  fs::create_directory(work_.path() / "prog.v2t");
  const Outcome outcome = Orbisk({"--yes", "prog.9xt"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "Impossible d'écrire prog.v2t : c'est un dossier.\n");
  EXPECT_TRUE(fs::is_empty(work_.path() / "prog.v2t"));
}

TEST_F(OrbiskFaultsTest, SourcesThatAreNotFilesAreRefusedWithoutBlocking) {
  fs::create_directory(work_.path() / "folder.9xt");
  ASSERT_EQ(::mkfifo((work_ / "pipe.9xt").c_str(), 0600), 0);
  // The command line gives a name without a dot the ".9xt" extension, hence the link.
  fs::create_symlink("/dev/zero", work_.path() / "zero.9xt");
  for (const std::string source : {"folder.9xt", "pipe.9xt", "zero.9xt"}) {
    Invocation invocation = OrbiskIn(work_, {source});
    invocation.timeoutSeconds = 10;
    const Outcome outcome = RunProgram(invocation);
    EXPECT_EQ(outcome.status, 1) << source;
    EXPECT_EQ(outcome.err, "Impossible de convertir " + source +
                               " : ce n'est pas un fichier (dossier, tube ou périphérique).\n");
  }
  EXPECT_EQ(work_.Entries(), (Names{"folder.9xt", "pipe.9xt", "zero.9xt"}));
}

TEST_F(OrbiskFaultsTest, ALinkToAFileIsASource) {
  const std::string sample = SampleTi92PlusFile(300);
  WriteFile(work_ / "real.9xt", sample);
  fs::create_symlink("real.9xt", work_.path() / "link.9xt");
  EXPECT_EQ(Orbisk({"link.9xt"}).status, 0);
  EXPECT_TRUE(IsV200Of(ReadFile(work_ / "link.v2t"), sample));
}

// Killed at any moment, the conversion leaves the target as it was or wholly converted.
TEST_F(OrbiskFaultsTest, AKilledConversionLeavesTheOldTargetOrTheNewOne) {
  const std::string big = SampleTi92PlusFile(200u << 20);
  WriteFile(work_ / "big.9xt", big);
  const std::string old = "the old target";
  int keptOld = 0;
  int replaced = 0;
  int leftovers = 0;
  for (int delayMs : {0, 1, 3, 10, 20, 40, 80, 160, 320}) {
    WriteFile(work_ / "big.v2t", old);
    ChildProcess child(OrbiskIn(work_, {"--yes", "big.9xt"}));
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    child.Signal(SIGKILL);
    child.Wait();
    const std::string target = ReadFile(work_ / "big.v2t");
    if (target == old) {
      ++keptOld;
    } else {
      EXPECT_TRUE(IsV200Of(target, big)) << "killed after " << delayMs << " ms";
      ++replaced;
    }
    // SIGKILL cannot be handled: only a kill between naming the new file and renaming it
    // over the target can leave it.
    leftovers += Leftovers();
    for (const std::string& name : work_.Entries()) {
      if (name.rfind(".orbisk-", 0) == 0) fs::remove(work_.path() / name);
    }
  }
  std::cout << "kept the old target " << keptOld << " times, replaced it " << replaced << " times, "
            << leftovers << " temporary files left\n";
}

TEST_F(OrbiskFaultsTest, AnInterruptedConversionLeavesNoTemporaryFileAndEndsByTheSignal) {
  const std::string big = SampleTi92PlusFile(200u << 20);
  WriteFile(work_ / "big.9xt", big);
  const std::string old = "the old target";
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    int interrupted = 0;
    for (const int delayMs : {2, 10, 30, 60}) {
      SCOPED_TRACE(std::string(::sigabbrev_np(signal)) + " after " + std::to_string(delayMs) +
                   " ms");
      WriteFile(work_ / "big.v2t", old);
      ChildProcess child(OrbiskIn(work_, {"--yes", "big.9xt"}));
      std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
      child.Signal(signal);
      const Outcome outcome = child.Wait();
      if (outcome.status == 128 + signal) {
        ++interrupted;
      } else {
        EXPECT_EQ(outcome.status, 0) << "neither finished nor ended by the signal";
      }
      EXPECT_EQ(Leftovers(), 0);
      const std::string target = ReadFile(work_ / "big.v2t");
      EXPECT_TRUE(target == old || IsV200Of(target, big));
    }
    EXPECT_GT(interrupted, 0) << ::sigabbrev_np(signal) << " never caught a conversion running";
  }
}

TEST_F(OrbiskFaultsTest, ATargetThisUserMayNotWriteIsNotReplaced) {
  WriteFile(work_ / "prog.9xt", SampleTi92PlusFile(100));
  WriteFile(work_ / "prog.v2t", "protected");
  ASSERT_EQ(::chmod((work_ / "prog.v2t").c_str(), 0444), 0);
  Invocation asUser = OrbiskIn(work_, {"--yes", "prog.9xt"});
  testing::TempFolder programFolder;
  if (::geteuid() == 0) {
    // Root may write anything: run as nobody, in a folder nobody may write in, with a copy
    // of the program where nobody may run it (the build may be in root's own folder).
    ASSERT_EQ(::chmod(work_.path().c_str(), 0777), 0);
    ASSERT_EQ(::chmod(programFolder.path().c_str(), 0755), 0);
    asUser.program = programFolder / "orbisk";
    fs::copy_file(ORBISK_EXECUTABLE, asUser.program);
    asUser.user = 65534;
  }
  const Outcome refused = RunProgram(asUser);
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "Impossible de remplacer le fichier prog.v2t : Permission refusée.\n");
  EXPECT_EQ(ReadFile(work_ / "prog.v2t"), "protected");
  EXPECT_EQ(work_.Entries(), (Names{"prog.9xt", "prog.v2t"}));

  // As with cp, root replaces it.
  if (::geteuid() == 0) {
    const Outcome replaced = Orbisk({"--yes", "prog.9xt"});
    EXPECT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_TRUE(IsV200Of(ReadFile(work_ / "prog.v2t"), SampleTi92PlusFile(100)));
  }
}

TEST_F(OrbiskFaultsTest, TwoProcessesOntoOneTargetLeaveOneWholeResult) {
  // "prog.9xt" and "prog.txt" both convert to "prog.v2t".
  std::string first = SampleTi92PlusFile(8u << 20);
  std::string second = first;
  second[100] = 'x';
  WriteFile(work_ / "prog.9xt", first);
  WriteFile(work_ / "prog.txt", second);
  for (int round = 0; round < 20; ++round) {
    ChildProcess a(OrbiskIn(work_, {"--yes", "prog.9xt"}));
    ChildProcess b(OrbiskIn(work_, {"--yes", "prog.txt"}));
    EXPECT_EQ(a.Wait().status, 0);
    EXPECT_EQ(b.Wait().status, 0);
    const std::string target = ReadFile(work_ / "prog.v2t");
    EXPECT_TRUE(IsV200Of(target, target[100] == 'x' ? second : first)) << "round " << round;
    EXPECT_EQ(work_.Entries(), (Names{"prog.9xt", "prog.txt", "prog.v2t"}));
    fs::remove(work_.path() / "prog.v2t");
  }
}

TEST_F(OrbiskFaultsTest, AwkwardNamesConvertToExactlyTheirTargets) {
  const std::string sample = SampleTi92PlusFile(200);
  const std::string longStem(251, 'a');  // with ".9xt", the longest name a folder holds
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"line\nbreak.9xt", "line\nbreak.v2t"},
      {"quotes \"'`$(x).9xt", "quotes \"'`$(x).v2t"},
      {"-dash.9xt", "-dash.v2t"},
      {"--yes.9xt", "--yes.v2t"},
      {"\xff\xfe latin-1 \xe9t\xe9.9xt", "\xff\xfe latin-1 \xe9t\xe9.v2t"},
      {" leading and trailing spaces .9xt", " leading and trailing spaces .v2t"},
      {longStem + ".9xt", longStem + ".v2t"},
  };
  for (const auto& [source, target] : cases) {
    WriteFile(work_ / source, sample);
    const Outcome outcome = Orbisk({"--", source});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(IsV200Of(ReadFile(work_ / target), sample)) << target;
    EXPECT_EQ(work_.Entries().size(), 2u);
    fs::remove(work_.path() / source);
    fs::remove(work_.path() / target);
  }
}

TEST_F(OrbiskFaultsTest, NamesTooLongForTheSystemAreRefusedClearly) {
  // The source fits, but its target would be one byte too long.
  const std::string source = std::string(252, 'a') + ".9x";
  WriteFile(work_ / source, SampleTi92PlusFile(200));
  const Outcome tooLongTarget = Orbisk({source});
  EXPECT_EQ(tooLongTarget.status, 1);
  EXPECT_EQ(tooLongTarget.err, "Impossible d'accéder à " + std::string(252, 'a') +
                                   ".v2t : Nom de fichier trop long.\n");
  // A name with no dot grows past the limit once ".9xt" is added.
  const Outcome tooLongSource = Orbisk({std::string(255, 'b')});
  EXPECT_EQ(tooLongSource.status, 1);
  EXPECT_NE(tooLongSource.err.find("Nom de fichier trop long"), std::string::npos)
      << tooLongSource.err;
  EXPECT_EQ(work_.Entries(), Names{source});
}

}  // namespace
}  // namespace orbisk
