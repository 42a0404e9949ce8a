// The real orbisk on damaged files: read with a warning and a status of its own, repaired
// with a report, and the table of characters.
#include <gtest/gtest.h>

#include <filesystem>

#include "files.hpp"
#include "orbisk_runner.hpp"
#include "temp_folder.hpp"

namespace orbisk {
namespace {

using testing::CalculatorTextFile;
using testing::Outcome;
using testing::ReadFile;
using testing::WriteFile;
namespace fs = std::filesystem;

class OrbiskDamagedTest : public ::testing::Test {
 protected:
  Outcome Orbisk(std::vector<std::string> arguments) {
    return testing::RunProgram(testing::OrbiskIn(work_, std::move(arguments)));
  }
  testing::TempFolder work_;
};

// Status 3 says the text was read as far as it went; a failure still outweighs it.
TEST_F(OrbiskDamagedTest, ADamagedTextIsReadWithAWarningAndItsOwnStatus) {
  std::string damaged = CalculatorTextFile(" Bonjour");
  damaged.back() ^= 0x40;
  WriteFile(work_ / "abime.9xt", damaged);
  WriteFile(work_ / "bon.9xt", CalculatorTextFile(" Salut"));
  const std::string warning =
      "Avertissement : abime.9xt : la somme de contrôle est fausse ; le texte est lu tel quel. "
      "Pour le réparer : orbisk --repair abime.9xt.\n";
  struct Row {
    std::vector<std::string> arguments;
    int status;
    std::string out;
    std::string err;
  };
  const Row rows[] = {
      {{"--show", "abime.9xt"}, 3, "Bonjour\n", warning},
      {{"--show", "bon.9xt", "abime.9xt"},
       3,
       "==> bon.9xt <==\nSalut\n\n==> abime.9xt <==\nBonjour\n",
       warning},
      {{"--show", "abime.9xt", "absent.9xt"},
       1,
       "==> abime.9xt <==\nBonjour\n",
       warning + "Le fichier absent.9xt n'existe pas\n"},
      {{"--to-text", "abime.9xt"}, 3, "", warning},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments.back());
    const Outcome outcome = Orbisk(row.arguments);
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.out, row.out);
    EXPECT_EQ(outcome.err, row.err);
  }
  EXPECT_EQ(ReadFile(work_ / "abime.txt"), "Bonjour\n");
  EXPECT_EQ(ReadFile(work_ / "abime.9xt"), damaged);
}

TEST_F(OrbiskDamagedTest, RepairsSayWhatTheyDidAndRefuseWhatTheyCannot) {
  const std::string sound = CalculatorTextFile(" Bonjour");
  std::string damaged = sound;
  damaged[0x4C] = 0x10;
  damaged.back() ^= 0x40;
  WriteFile(work_ / "a.9xt", damaged);
  WriteFile(work_ / "b.9xt", damaged);
  WriteFile(work_ / "notes.txt", "Bonjour\n");
  const Outcome repaired = Orbisk({"--repair", "a.9xt", "notes.txt"});
  EXPECT_EQ(repaired.status, 1);
  EXPECT_EQ(repaired.out,
            "a.9xt : réparé ; refait : la taille du fichier, la somme de contrôle "
            "; l'ancien est gardé dans a.9xt~\n");
  EXPECT_EQ(repaired.err,
            "notes.txt est un fichier texte ordinaire, pas un fichier de calculatrice ; pour en "
            "faire un : "
            "orbisk --from-text notes.txt\n");
  EXPECT_EQ(ReadFile(work_ / "a.9xt"), sound);
  EXPECT_EQ(ReadFile(work_ / "a.9xt~"), damaged);

  const Outcome noBackup = Orbisk({"--repair", "--no-backup", "b.9xt", "a.9xt"});
  EXPECT_EQ(noBackup.status, 0);
  EXPECT_EQ(noBackup.out,
            "b.9xt : réparé ; refait : la taille du fichier, la somme de contrôle\n"
            "a.9xt : correct, rien à réparer\n");
  EXPECT_EQ(ReadFile(work_ / "b.9xt"), sound);
  EXPECT_FALSE(fs::exists(work_.path() / "b.9xt~"));
}

TEST_F(OrbiskDamagedTest, PrintsEveryCharacterWithHowToWriteIt) {
  const Outcome table = Orbisk({"--characters"});
  EXPECT_EQ(table.status, 0);
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = table.out.find('\n', at)) != std::string::npos;
       at = end + 1) {
    lines.push_back(table.out.substr(at, end - at));
  }
  ASSERT_EQ(lines.size(), 257u);
  EXPECT_EQ(lines[0], "code\tUnicode\tà écrire\tnom");
  EXPECT_EQ(lines[1 + 0x09], "0x09\tU+2409\t␉\ttabulation (ou une tabulation)");
  EXPECT_EQ(lines[1 + 0x0D], "0x0D\tU+240D\t—\tfin de ligne (une fin de ligne du texte)");
  EXPECT_EQ(lines[1 + 0x41], "0x41\tU+0041\tA\tlettre majuscule A");
  EXPECT_EQ(lines[1 + 0x88], "0x88\tU+03B8\tθ\tlettre grecque thêta");
  EXPECT_EQ(lines[1 + 0x9A], "0x9A\tU+0078 U+0305\tx̅\tx barre (moyenne)");
  EXPECT_EQ(lines[1 + 0x9C], "0x9C\tU+2264\t≤\tinférieur ou égal");
  EXPECT_EQ(lines[1 + 0xE9], "0xE9\tU+00E9\té\tlettre minuscule e accent aigu");
  // What it says to write makes the code again.
  std::string written;
  for (std::size_t code = 0x20; code < 0x100; ++code) {
    const std::string& line = lines[1 + code];
    const std::size_t start = line.find('\t', line.find('\t') + 1) + 1;
    written += line.substr(start, line.find('\t', start) - start);
  }
  WriteFile(work_ / "all.txt", written + "\n");
  ASSERT_EQ(Orbisk({"--from-text", "--to", "9xt", "all.txt"}).err, "");
  std::string expected = " ";
  for (unsigned code = 0x20; code < 0x100; ++code) expected += static_cast<char>(code);
  const std::string made = ReadFile(work_ / "all.9xt");
  EXPECT_EQ(made.substr(0x5A, expected.size()), expected);
}

}  // namespace
}  // namespace orbisk
