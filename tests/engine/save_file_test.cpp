// How a target is written: never readable by others before it is whole, with the right
// permissions, never replacing a file nobody was asked about, whole after short transfers
// and interruptions, on disk before its name, and gone when a signal ends the process.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "converter.hpp"
#include "faulty_file_system.hpp"
#include "files.hpp"
#include "fixed_clock.hpp"
#include "posix_file_system.hpp"
#include "scripted_interaction.hpp"
#include "signal_cleanup.hpp"
#include "temp_folder.hpp"

namespace orbisk {
namespace {

using testing::FaultyFileSystem;
using testing::ReadFile;
using testing::Step;
using testing::WriteFile;
using Names = std::vector<std::string>;

// How the file system lets the temporary file be made and committed.
enum class Storage { Unnamed, Named, NamedWithoutNoReplaceRename };

std::string Describe(Storage s) {
  switch (s) {
    case Storage::Unnamed: return "Unnamed";
    case Storage::Named: return "Named";
    case Storage::NamedWithoutNoReplaceRename: return "NamedWithoutNoReplaceRename";
  }
  return {};
}

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

// The names in `entries` that are Orbisk's temporary files.
Names Temporaries(const Names& entries) {
  Names found;
  for (const std::string& name : entries) {
    if (name.rfind(".orbisk-", 0) == 0) found.push_back(name);
  }
  return found;
}

class SaveFileTest : public ::testing::TestWithParam<Storage> {
 protected:
  SaveFileTest() {
    if (GetParam() != Storage::Unnamed) files_.FailAt(Step::CreateUnnamed, 0, EOPNOTSUPP);
    if (GetParam() == Storage::NamedWithoutNoReplaceRename) {
      files_.FailAt(Step::RenameNoReplace, 0, EINVAL);
    }
    WriteFile(source_, sourceBytes_);
  }

  bool Convert(std::deque<bool> answers = {}) {
    user_ = testing::ScriptedInteraction(std::move(answers));
    Converter converter(files_, user_, clock_, {'/', ':'});
    return user_.Reported(converter.Convert(Model::Voyager200, source_, target_));
  }

  // The step that puts a new target in place.
  Step CommitStep() const {
    return GetParam() == Storage::Unnamed ? Step::LinkUnnamed : Step::RenameNoReplace;
  }

  std::string Expected() const { return testing::ExpectedV200(sourceBytes_, "23/02/03, 14:09"); }

  testing::TempFolder folder_;
  PosixFileSystem real_;
  FaultyFileSystem files_{real_};
  testing::ScriptedInteraction user_;
  testing::FixedClock clock_{2003, 2, 23, 14, 9};
  std::string source_ = folder_ / "prog.9xt";
  std::string target_ = folder_ / "prog.v2t";
  std::string sourceBytes_ = testing::SampleTi92PlusFile(3000);
};

TEST_P(SaveFileTest, NobodyElseCanReadTheContentBeforeItIsCommitted) {
  // Even with a umask that lets everybody read, nothing wider than 0600 ever has a name.
  const mode_t mask = ::umask(0);
  ASSERT_EQ(::chmod(source_.c_str(), 0666), 0);
  bool checked = false;
  files_.Before(Step::Write, [&] {
    const Names temporaries = Temporaries(folder_.Entries());
    if (GetParam() == Storage::Unnamed) {
      EXPECT_EQ(folder_.Entries(), Names{"prog.9xt"});
    } else {
      ASSERT_EQ(temporaries.size(), 1u);
      EXPECT_EQ(ModeOf(folder_ / temporaries[0]), 0600u);
    }
    checked = true;
  });
  const bool converted = Convert();
  ::umask(mask);
  ASSERT_TRUE(converted);
  EXPECT_TRUE(checked);
  EXPECT_EQ(ModeOf(target_), 0666u);
  EXPECT_EQ(folder_.Entries(), (Names{"prog.9xt", "prog.v2t"}));
}

TEST_P(SaveFileTest, ANewTargetTakesTheSourcesPermissionsUnderTheUmask) {
  struct Row {
    mode_t source;
    mode_t umask;
    mode_t target;
  };
  for (const Row row :
       {Row{0600, 022, 0600}, Row{0755, 022, 0755}, Row{0666, 027, 0640}, Row{0644, 077, 0600}}) {
    SCOPED_TRACE(std::to_string(row.source) + " under " + std::to_string(row.umask));
    std::filesystem::remove(target_);
    ASSERT_EQ(::chmod(source_.c_str(), row.source), 0);
    const mode_t mask = ::umask(row.umask);
    const bool converted = Convert();
    ::umask(mask);
    ASSERT_TRUE(converted);
    EXPECT_EQ(ModeOf(target_), row.target);
  }
}

TEST_P(SaveFileTest, AReplacedTargetKeepsItsPermissionsAndOwner) {
  WriteFile(target_, "old");
  ASSERT_EQ(::chmod(target_.c_str(), 0640), 0);
  ASSERT_EQ(::chmod(source_.c_str(), 0600), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(target_.c_str(), 1234, 5678), 0);
  }

  ASSERT_TRUE(Convert({true}));

  EXPECT_TRUE(testing::SameBytes(ReadFile(target_), Expected()));
  EXPECT_EQ(ModeOf(target_), 0640u);
  struct stat st {};
  ASSERT_EQ(::stat(target_.c_str(), &st), 0);
  // Only root may give a file away; anybody else keeps owning what they write.
  EXPECT_EQ(st.st_uid, root ? 1234u : ::geteuid());
  if (root) {
    EXPECT_EQ(st.st_gid, 5678u);
  }
}

TEST_P(SaveFileTest, AFileThatAppearsWhileConvertingIsAskedAboutNotReplaced) {
  for (const bool answer : {false, true}) {
    SCOPED_TRACE(answer ? "replace it" : "keep it");
    std::filesystem::remove(target_);
    FaultyFileSystem files(files_);
    files.Before(CommitStep(), [&] { WriteFile(target_, "someone else's"); });
    user_ = testing::ScriptedInteraction({answer});
    Converter converter(files, user_, clock_, {'/', ':'});

    EXPECT_EQ(user_.Reported(converter.Convert(Model::Voyager200, source_, target_)), answer);

    ASSERT_EQ(user_.shown.size(), 1u);
    EXPECT_EQ(user_.shown[0].text, target_ + " existe déjà. Voulez-vous l'écraser ?");
    EXPECT_TRUE(testing::SameBytes(ReadFile(target_), answer ? Expected() : "someone else's"));
    EXPECT_EQ(folder_.Entries(), (Names{"prog.9xt", "prog.v2t"}));
  }
}

TEST_P(SaveFileTest, ShortTransfersAndInterruptionsStillGiveTheWholeFile) {
  struct Row {
    std::size_t limit;
    bool interrupt;
    bool kernelCopy;
  };
  for (const Row row : {Row{1, false, true}, Row{1, false, false}, Row{7, true, true},
                        Row{7, true, false}, Row{0, true, false}}) {
    SCOPED_TRACE("at most " + std::to_string(row.limit) + " bytes a call" +
                 (row.interrupt ? ", every other call interrupted" : "") +
                 (row.kernelCopy ? "" : ", no kernel copy"));
    std::filesystem::remove(target_);
    FaultyFileSystem files(files_);
    files.LimitTransfers(row.limit);
    if (row.interrupt) files.InterruptEveryOtherTransfer();
    if (!row.kernelCopy) files.FailAt(Step::CopyRange, 0, EXDEV);
    Converter converter(files, user_, clock_, {'/', ':'});

    ASSERT_TRUE(user_.Reported(converter.Convert(Model::Voyager200, source_, target_)));

    EXPECT_TRUE(testing::SameBytes(ReadFile(target_), Expected()));
    EXPECT_TRUE(user_.shown.empty());
  }
}

TEST_P(SaveFileTest, AReplacedTargetReachesTheDiskBeforeItsName) {
  WriteFile(target_, "old");
  ASSERT_TRUE(Convert({true}));
  const std::vector<Step>& log = files_.Log();
  const int sync = files_.FirstIndex(Step::Sync);
  const int rename = files_.FirstIndex(Step::Rename);
  ASSERT_GE(sync, 0);
  ASSERT_GE(rename, 0);
  EXPECT_LT(sync, rename);
  // Nothing more is written after the content reached the disk.
  for (std::size_t i = static_cast<std::size_t>(sync); i < log.size(); ++i) {
    EXPECT_NE(log[i], Step::Write);
    EXPECT_NE(log[i], Step::CopyRange);
  }
  EXPECT_EQ(files_.Calls(Step::Sync), 1);
}

TEST_P(SaveFileTest, ANewTargetIsNotSynced) {
  ASSERT_TRUE(Convert());
  EXPECT_EQ(files_.Calls(Step::Sync), 0);
}

INSTANTIATE_TEST_SUITE_P(Storages, SaveFileTest,
                         ::testing::Values(Storage::Unnamed, Storage::Named,
                                           Storage::NamedWithoutNoReplaceRename),
                         [](const auto& row) { return Describe(row.param); });

// A signal that ends the process while a target is written: the process dies by that
// signal, and no temporary file is left. Run in a child process by gtest.
class SignalCleanupTest : public ::testing::TestWithParam<int> {
 protected:
  // Converts onto an existing target, raising the signal just before the first call of
  // `when`; only returns if the signal did not end the process.
  void ConvertRaisingAt(Step when, bool unnamed) {
    // Whoever started the tests may have left the signal ignored, which the clean-up keeps.
    // Nothing installs the handler here: naming the temporary file must.
    std::signal(GetParam(), SIG_DFL);
    PosixFileSystem real;
    FaultyFileSystem files(real);
    if (!unnamed) files.FailAt(Step::CreateUnnamed, 0, EOPNOTSUPP);
    const int signal = GetParam();
    files.Before(when, [signal] { std::raise(signal); });
    testing::ScriptedInteraction user({true});
    testing::FixedClock clock(2003, 2, 23, 14, 9);
    static_cast<void>(
        Converter(files, user, clock, {'/', ':'}).Convert(Model::Voyager200, source_, target_));
  }

  testing::TempFolder folder_;
  std::string source_ = folder_ / "prog.9xt";
  std::string target_ = folder_ / "prog.v2t";
  std::string sourceBytes_ = testing::SampleTi92PlusFile(3000);
};

TEST_P(SignalCleanupTest, WhileWritingTheNamedTemporaryFileIsRemoved) {
  WriteFile(source_, sourceBytes_);
  WriteFile(target_, "old");
  EXPECT_EXIT(ConvertRaisingAt(Step::Write, false), ::testing::KilledBySignal(GetParam()), "");
  EXPECT_EQ(folder_.Entries(), (Names{"prog.9xt", "prog.v2t"}));
  EXPECT_EQ(ReadFile(target_), "old");
}

TEST_P(SignalCleanupTest, DuringTheRenameTheTargetIsReplacedWholeFirst) {
  for (const bool unnamed : {true, false}) {
    WriteFile(source_, sourceBytes_);
    WriteFile(target_, "old");
    EXPECT_EXIT(ConvertRaisingAt(Step::Rename, unnamed), ::testing::KilledBySignal(GetParam()), "");
    EXPECT_EQ(folder_.Entries(), (Names{"prog.9xt", "prog.v2t"}));
    EXPECT_TRUE(testing::SameBytes(ReadFile(target_),
                                   testing::ExpectedV200(sourceBytes_, "23/02/03, 14:09")));
  }
}

// Every signal that ends the process by default, not only the usual three.
INSTANTIATE_TEST_SUITE_P(Signals, SignalCleanupTest, ::testing::ValuesIn(TerminatingSignals()),
                         [](const auto& row) {
                           const char* name = ::sigabbrev_np(row.param);
                           return name != nullptr ? std::string(name)
                                                  : "RT" + std::to_string(row.param);
                         });

extern "C" void HandledByTheHost(int) {}

// A handler the process installed itself (a fuzzer's alarm, an application's Ctrl-C) or a
// signal it ignores is left as it was by a save through a named temporary file.
TEST(SignalCleanupSetTest, LeavesTheHostsOwnDispositionsAlone) {
  struct Row {
    int signal;
    void (*disposition)(int);
  };
  const Row rows[] = {{SIGALRM, HandledByTheHost},
                      {SIGINT, HandledByTheHost},
                      {SIGRTMIN, HandledByTheHost},
                      {SIGUSR1, SIG_IGN}};
  testing::TempFolder folder;
  WriteFile(folder / "prog.9xt", testing::SampleTi92PlusFile(300));
  for (const Row& row : rows) {
    SCOPED_TRACE(::sigabbrev_np(row.signal) ? ::sigabbrev_np(row.signal) : "RT");
    const auto before = std::signal(row.signal, row.disposition);
    std::filesystem::remove(folder / "prog.v2t");
    PosixFileSystem real;
    FaultyFileSystem files(real);
    files.FailAt(Step::CreateUnnamed, 0, EOPNOTSUPP);
    testing::ScriptedInteraction user;
    testing::FixedClock clock(2003, 2, 23, 14, 9);
    ASSERT_TRUE(
        user.Reported(Converter(files, user, clock, {'/', ':'})
                          .Convert(Model::Voyager200, folder / "prog.9xt", folder / "prog.v2t")));
    ASSERT_GE(files.Calls(Step::CreateNew), 1);  // the temporary file had a name
    EXPECT_EQ(std::signal(row.signal, before), row.disposition);
  }
}

TEST(SignalCleanupSetTest, CoversEverySignalThatEndsTheProcessByDefault) {
  const std::vector<int> covered = TerminatingSignals();
  const auto has = [&covered](int s) {
    return std::find(covered.begin(), covered.end(), s) != covered.end();
  };
  for (const int s : {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2, SIGPOLL,
                      SIGPROF, SIGVTALRM, SIGXCPU, SIGPWR, SIGSTKFLT}) {
    EXPECT_TRUE(has(s)) << ::sigabbrev_np(s);
  }
  for (int s = SIGRTMIN; s <= SIGRTMAX; ++s) EXPECT_TRUE(has(s)) << s;
  // Ignored on purpose, so that writing past a size limit fails instead; and never
  // catchable.
  for (const int s : {SIGXFSZ, SIGKILL, SIGSTOP, SIGCHLD, SIGCONT, SIGWINCH, SIGURG}) {
    EXPECT_FALSE(has(s)) << ::sigabbrev_np(s);
  }
}

}  // namespace
}  // namespace orbisk
