// Every file-system call of a conversion made to fail in turn: nothing may be lost.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <iostream>

#include "converter.hpp"
#include "faulty_file_system.hpp"
#include "files.hpp"
#include "fixed_clock.hpp"
#include "messages.hpp"
#include "posix_file_system.hpp"
#include "scripted_interaction.hpp"
#include "temp_folder.hpp"

namespace orbisk {
namespace {

using testing::FaultyFileSystem;
using testing::ReadFile;
using testing::Step;
using testing::WriteFile;
using Kind = testing::ScriptedInteraction::Kind;

struct Scenario {
  Model target;
  bool kernelCopy;    // false: the kernel refuses to copy, so the body is read and written
  bool unnamed;       // false: the file system has no unnamed files, so a named one is used
  bool targetExists;  // true: the target is replaced, false: it is new
};

std::string Describe(const Scenario& s) {
  return std::string(s.target == Model::Voyager200 ? "ToV200" : "ToTi92Plus") +
         (s.kernelCopy ? "_KernelCopy" : "_ReadWrite") + (s.unnamed ? "_Unnamed" : "_Named") +
         (s.targetExists ? "_Replacing" : "_New");
}

std::vector<Scenario> AllScenarios() {
  std::vector<Scenario> all;
  for (const Model target : {Model::Voyager200, Model::Ti92Plus}) {
    for (const bool kernelCopy : {true, false}) {
      for (const bool unnamed : {true, false}) {
        for (const bool targetExists : {true, false}) {
          all.push_back({target, kernelCopy, unnamed, targetExists});
        }
      }
    }
  }
  return all;
}

void PrintTo(const Scenario& s, std::ostream* out) { *out << Describe(s); }

// One conversion onto an existing target, with `configure` setting the faults.
struct Outcome {
  std::vector<std::string> entriesAfter;
  std::string targetAfter;
  std::string sourceAfter;
  bool converted = false;
  testing::ScriptedInteraction user{{true}};
  int calls[testing::kStepCount] = {};
  int faults = 0;
};

class ConverterFaultsTest : public ::testing::TestWithParam<Scenario> {
 protected:
  static constexpr std::size_t kSourceSize = 400000;

  template <typename Configure>
  Outcome Convert(Configure configure) {
    testing::TempFolder folder;
    const std::string source = folder / "prog.in";
    const std::string target = folder / "prog.out";
    WriteFile(source, source_);
    if (GetParam().targetExists) WriteFile(target, kOldTarget);
    PosixFileSystem real;
    FaultyFileSystem files(real);
    if (!GetParam().kernelCopy) files.FailAt(Step::CopyRange, 0, EXDEV);
    if (!GetParam().unnamed) files.FailAt(Step::CreateUnnamed, 0, EOPNOTSUPP);
    configure(files);
    Outcome run;
    testing::FixedClock clock(2003, 2, 23, 14, 9);
    Converter converter(files, run.user, clock, {'/', ':'});
    run.converted = run.user.Reported(converter.Convert(GetParam().target, source, target));
    run.entriesAfter = folder.Entries();
    if (std::filesystem::exists(target)) run.targetAfter = ReadFile(target);
    run.sourceAfter = ReadFile(source);
    for (std::size_t i = 0; i < testing::kStepCount; ++i) {
      run.calls[i] = files.Calls(static_cast<Step>(i));
    }
    run.faults = files.Faults();
    return run;
  }

  std::string Expected() const {
    return GetParam().target == Model::Voyager200
               ? testing::ExpectedV200(source_, "23/02/03, 14:09")
               : testing::ExpectedTi92Plus(source_);
  }

  // The target after a failure: the old one, or none.
  std::vector<std::string> EntriesUntouched() const {
    if (GetParam().targetExists) return {"prog.in", "prog.out"};
    return {"prog.in"};
  }

  const std::string kOldTarget = "the old target, which must survive any failure";
  std::string source_ = testing::SampleTi92PlusFile(kSourceSize);
};

TEST_P(ConverterFaultsTest, ACleanRunConverts) {
  const Outcome run = Convert([](FaultyFileSystem&) {});
  ASSERT_TRUE(run.converted);
  EXPECT_TRUE(testing::SameBytes(run.targetAfter, Expected()));
  EXPECT_EQ(run.entriesAfter, (std::vector<std::string>{"prog.in", "prog.out"}));
}

// Each call of a clean run fails in turn, alone and then with the first attempt at removing
// the temporary file failing too.
TEST_P(ConverterFaultsTest, EveryFailingCallLeavesTheTargetWholeAndNoTemporaryFile) {
  const Outcome clean = Convert([](FaultyFileSystem&) {});
  int tried = 0;
  for (std::size_t index = 0; index < testing::kStepCount; ++index) {
    const Step step = static_cast<Step>(index);
    if (step == Step::CopyRange && !GetParam().kernelCopy) continue;
    if (step == Step::CreateUnnamed && !GetParam().unnamed) continue;
    if (step == Step::Umask) continue;  // it cannot fail
    for (int occurrence = 1; occurrence <= clean.calls[index]; ++occurrence) {
      for (const bool cleanUpFails : {false, true}) {
        SCOPED_TRACE(std::string(testing::StepName(step)) + " #" + std::to_string(occurrence) +
                     (cleanUpFails ? " and the first clean-up" : ""));
        // EPERM from SetOwner is the one refusal that is expected and passed over.
        const int error = step == Step::Write ? ENOSPC : step == Step::SetOwner ? EPERM : EIO;
        const Outcome run = Convert([&](FaultyFileSystem& f) {
          f.FailAt(step, occurrence, error);
          if (cleanUpFails) f.FailAt(Step::Remove, 1, EIO);
        });
        ++tried;
        EXPECT_TRUE(testing::SameBytes(run.sourceAfter, source_));
        if (run.converted) {
          // Only a failure the conversion can work around may end in success: a refused
          // kernel copy, the source's close, or the owner that only root may give away.
          EXPECT_TRUE(step == Step::CopyRange || step == Step::Close || step == Step::SetOwner)
              << "converted anyway";
          EXPECT_EQ(run.entriesAfter, (std::vector<std::string>{"prog.in", "prog.out"}));
          EXPECT_TRUE(testing::SameBytes(run.targetAfter, Expected()));
          continue;
        }
        EXPECT_EQ(run.entriesAfter, EntriesUntouched());
        if (GetParam().targetExists) {
          EXPECT_TRUE(testing::SameBytes(run.targetAfter, kOldTarget));
        }
        const auto& shown = run.user.shown;
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.back().kind, Kind::Failure);
        EXPECT_TRUE(shown.back().text.find("prog.in") != std::string::npos ||
                    shown.back().text.find("prog.out") != std::string::npos)
            << shown.back().text;
        EXPECT_NE(shown.back().text.find(messages::Reason(error)), std::string::npos)
            << shown.back().text;
      }
    }
  }
  EXPECT_GE(tried, 20);
  std::cout << Describe(GetParam()) << ": " << tried << " failing calls tried\n";
}

// The commit fails and so does every attempt at cleaning up: a named temporary file stays
// and the report names it; an unnamed one simply vanishes with its descriptor.
TEST_P(ConverterFaultsTest, ACleanUpThatKeepsFailingNamesTheTemporaryFileLeftBehind) {
  const Scenario& s = GetParam();
  const Step commit = s.targetExists ? Step::Rename
                      : s.unnamed    ? Step::LinkUnnamed
                                     : Step::RenameNoReplace;
  const Outcome run = Convert([commit](FaultyFileSystem& f) {
    f.FailAt(commit, 1, EIO);
    f.FailAt(Step::Remove, 0, EACCES);
  });
  EXPECT_FALSE(run.converted);
  if (s.targetExists) {
    EXPECT_TRUE(testing::SameBytes(run.targetAfter, kOldTarget));
  }
  if (s.unnamed && !s.targetExists) {
    EXPECT_EQ(run.entriesAfter, EntriesUntouched());
    EXPECT_EQ(run.user.shown.size(), 1u);
    return;
  }
  ASSERT_EQ(run.entriesAfter.size(), EntriesUntouched().size() + 1);
  const std::string& temporary = run.entriesAfter[0];
  EXPECT_EQ(temporary.rfind(".orbisk-", 0), 0u) << temporary;
  ASSERT_EQ(run.user.shown.size(), s.targetExists ? 2u : 1u);
  const std::string& report = run.user.shown.back().text;
  EXPECT_NE(report.find(temporary), std::string::npos) << report;
  EXPECT_NE(report.find(messages::Reason(EACCES)), std::string::npos) << report;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ConverterFaultsTest, ::testing::ValuesIn(AllScenarios()),
                         [](const auto& row) { return Describe(row.param); });

}  // namespace
}  // namespace orbisk
