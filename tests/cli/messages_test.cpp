// Words that are made of parts: file names in messages (ordinary ones as they read, the
// others as the shell reads back), commands to copy, and the summary of a run.
#include "messages.hpp"

#include <gtest/gtest.h>

#include "quoting.hpp"
#include "variable_types.hpp"

namespace orbisk::messages {
namespace {

TEST(QuoteNameTest, QuotesOnlyWhatWouldNotPrint) {
  const std::pair<std::string, std::string> rows[] = {
      {"prog.9xt", "prog.9xt"},
      {"", ""},
      {"My Files/l'été « 2 ».9xt", "My Files/l'été « 2 ».9xt"},
      {"a\033[2Jb", "'a'$'\\033''[2Jb'"},
      {"line\nbreak", "'line'$'\\n''break'"},
      {"\ttab", "''$'\\t''tab'"},
      {"end\r", "'end'$'\\r'"},
      {"two\a\b", "'two'$'\\a\\b'"},
      {"del\x7F", "'del'$'\\177'"},
      {"c1\xC2\x85", "'c1'$'\\302\\205'"},
      {"caf\xE9.9xt", "'caf'$'\\351''.9xt'"},
      {"it's\n", "'it'\\''s'$'\\n'"},
      {"cut\xE2\x82", "'cut'$'\\342\\202'"},
  };
  for (const auto& [name, quoted] : rows) {
    EXPECT_EQ(QuoteName(name), quoted) << name;
  }
}

TEST(ShellWordTest, QuotesAWordOnlyWhenTheShellWouldSplitIt) {
  const std::pair<std::string, std::string> rows[] = {
      {"notes.txt", "notes.txt"},
      {"/tmp/a-b_c/d+e.txt", "/tmp/a-b_c/d+e.txt"},
      {"mes notes.txt", "'mes notes.txt'"},
      {"l'été.txt", "'l'\\''été.txt'"},
      {"$(rm).txt", "'$(rm).txt'"},
      {"-x.txt", "./-x.txt"},
      {"a\nb", "'a'$'\\n''b'"},
  };
  for (const auto& [name, word] : rows) EXPECT_EQ(ShellWord(name), word) << name;
}

TEST(SummaryTest, CountsWhatWasDoneAndListsTheFailures) {
  EXPECT_EQ(ConvertedSummary(3, {}), "3 fichiers convertis");
  EXPECT_EQ(ConvertedSummary(1, {"Le fichier a.9xt n'existe pas"}),
            "1 fichier converti, 1 échec :\nLe fichier a.9xt n'existe pas");
  EXPECT_EQ(ExportedSummary(0, {"x", "y"}), "0 texte enregistré, 2 échecs :\nx\ny");
  EXPECT_EQ(ExportedSummary(2, {}), "2 textes enregistrés");
}

// A window never gives a command to type: every error and warning whose command-line words
// give one says, in a window, what the window offers or nothing.
TEST(AudienceTest, AWindowIsNeverToldACommandToType) {
  const std::vector<Problem> damage{{Problem::Kind::Checksum, 1, 2}};
  const std::vector<Problem> nul{{Problem::Kind::TextHoldsNul, 12, 0}};
  const Error errors[] = {
      Error::About(PathError::NotACalculatorFile, "a.txt"),
      Error::About(PathError::NoTextInGroup, "g.89g"),
      Error::NotUtf8("a.txt", 2, 3),
      Error::IsAGroup("g.89g", 3),
      Error::NotAText("s.89g", types::kBackup),
      Error::RepairWouldCut("a.9xt", nul),
  };
  for (const Error& error : errors) {
    SCOPED_TRACE(static_cast<int>(error.kind));
    EXPECT_NE(Describe(error).find("--"), std::string::npos);
    const std::string window = Describe(error, Audience::Window);
    EXPECT_EQ(window.find("--"), std::string::npos) << window;
    EXPECT_NE(window.find(error.path), std::string::npos) << window;
  }
  for (const auto& problems : {damage, nul}) {
    for (const Warning::Kind kind : {Warning::Kind::DamagedText, Warning::Kind::DamagedSource}) {
      Warning warning;
      warning.kind = kind;
      warning.path = "a.9xt";
      warning.problems = problems;
      EXPECT_NE(WarningText(warning).find("--"), std::string::npos);
      const std::string window = WarningText(warning, Audience::Window);
      EXPECT_EQ(window.find("--"), std::string::npos) << window;
    }
  }
}

}  // namespace
}  // namespace orbisk::messages
