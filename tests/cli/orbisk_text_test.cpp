// The real orbisk's text modes on real files: --show, --to-text, --from-text, --check, and
// --to for conversions, with no terminal and no display.
#include <gtest/gtest.h>

#include <filesystem>

#include "file_check.hpp"
#include "files.hpp"
#include "orbisk_runner.hpp"
#include "run_program.hpp"
#include "temp_folder.hpp"
#include "variable_file.hpp"

namespace orbisk {
namespace {

using testing::Outcome;
using testing::ReadFile;
using testing::WriteFile;
using Names = std::vector<std::string>;

std::string TextFile(Model model, const std::string& text, const std::string& name = "notes") {
  TextVariable variable;
  variable.model = model;
  variable.name = name;
  variable.text = CalculatorText::FromCodes(text);
  return WriteTextFile(variable, "23/02/03, 14:09");
}

class OrbiskTextTest : public ::testing::Test {
 protected:
  Outcome Orbisk(std::vector<std::string> arguments) {
    return testing::RunProgram(testing::OrbiskIn(work_, std::move(arguments)));
  }
  testing::TempFolder work_;
};

TEST_F(OrbiskTextTest, ShowsEachTextWithTitlesAndGoesOnAfterABadFile) {
  WriteFile(work_ / "a.9xt", TextFile(Model::Ti92Plus, " Bonjour\rCDisp \x8C"));  // π
  WriteFile(work_ / "b.89t", TextFile(Model::Ti89, " \x9C\xA8\x16"));
  WriteFile(work_ / "bad.v2t", "not a calculator file");

  const Outcome one = Orbisk({"--show", "a.9xt"});
  EXPECT_EQ(one.status, 0);
  EXPECT_EQ(one.out, "Bonjour\nC│Disp π\n");
  EXPECT_EQ(one.err, "");

  const Outcome several = Orbisk({"--show", "a.9xt", "bad.v2t", "b.89t"});
  EXPECT_EQ(several.status, 1);
  EXPECT_EQ(several.out, "==> a.9xt <==\nBonjour\nC│Disp π\n\n==> b.89t <==\n≤√→\n");
  EXPECT_EQ(several.err,
            "bad.v2t est un fichier texte ordinaire, pas un fichier de calculatrice ; pour en "
            "faire un : orbisk --from-text bad.v2t\n");
}

// A plain text, whatever it is called, is no calculator file: a conversion refuses it with
// what to do instead and writes nothing, and --check says what it is in one line.
TEST_F(OrbiskTextTest, APlainTextIsNeitherConvertedNorCheckedAsACalculatorFile) {
  struct Row {
    const char* name;
    std::string file;
    std::string bytes;
  };
  const Row rows[] = {
      {"UTF-8 notes", "semaine.txt", "Lundi : réunion à 9 h\nMardi : rien\n"},
      {"a plain text misnamed", "lisezmoi.9xt", "Ce fichier explique comment installer le jeu."},
      {"a 7-bit listing", "AIRE.TXT",
       "\\START92\\\r\n\\COMMENT=Program file\r\n\\NAME=aire\r\n\\FILE=AIRE.89P\r\n()\r\n"
       "Prgm\r\nEndPrgm\r\n\\STOP92\\\r\n"},
      {"Latin-1", "ete.v2t", "\xC9t\xE9 : vacances, longues vacances au bord de la mer."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    for (const std::string& name : work_.Entries()) std::filesystem::remove(work_ / name);
    WriteFile(work_ / row.file, row.bytes);
    const std::string said = row.file +
                             " est un fichier texte ordinaire, pas un fichier de calculatrice ; "
                             "pour en faire un : orbisk --from-text " +
                             row.file + "\n";
    const Outcome converted = Orbisk({"--to", "89", row.file});
    EXPECT_EQ(converted.status, 1);
    EXPECT_EQ(converted.err, said);
    EXPECT_EQ(work_.Entries(), Names{row.file});
    const Outcome checked = Orbisk({"--check", row.file});
    EXPECT_EQ(checked.status, 1);
    EXPECT_EQ(checked.out, said);
  }
}

TEST_F(OrbiskTextTest, ExportsBesideEachFileAndKeepsAnExistingTextUnlessYes) {
  WriteFile(work_ / "a.v2t", TextFile(Model::Voyager200, " \xE9\r\x0C"));  // é, a page break
  EXPECT_EQ(Orbisk({"--to-text", "a.v2t"}).status, 0);
  EXPECT_EQ(ReadFile(work_ / "a.txt"), "é\n␌│\n");

  WriteFile(work_ / "a.txt", "mine");
  const Outcome kept = Orbisk({"--to-text", "a.v2t"});
  EXPECT_EQ(kept.status, 1);
  EXPECT_EQ(kept.err,
            "a.txt existe déjà. Voulez-vous l'écraser ? Non : personne pour "
            "répondre ; utilisez --yes pour l'écraser.\n");
  EXPECT_EQ(ReadFile(work_ / "a.txt"), "mine");
  EXPECT_EQ(Orbisk({"--to-text", "--yes", "a.v2t"}).status, 0);
  EXPECT_EQ(ReadFile(work_ / "a.txt"), "é\n␌│\n");
}

TEST_F(OrbiskTextTest, ImportsWhateverTheLineEndsForEachModel) {
  struct Row {
    std::vector<std::string> options;
    std::string target;
    Model model;
  };
  // The file's name keeps its case; the variable's is in lower case.
  const Row rows[] = {{{}, "Cours.v2t", Model::Voyager200},
                      {{"--to", "9xt"}, "Cours.9xt", Model::Ti92Plus},
                      {{"--to=89t"}, "Cours.89t", Model::Ti89}};
  for (const char* utf8 : {"Bonjour\nC│Disp 1\n", "Bonjour\r\nC│Disp 1\r\n", "Bonjour\rC│Disp 1"}) {
    for (const Row& row : rows) {
      SCOPED_TRACE(row.target);
      WriteFile(work_ / "Cours.txt", utf8);
      std::vector<std::string> arguments = {"--from-text", "--yes", "Cours.txt"};
      arguments.insert(arguments.begin() + 1, row.options.begin(), row.options.end());
      const Outcome outcome = Orbisk(arguments);
      EXPECT_EQ(outcome.status, 0) << outcome.err;
      EXPECT_EQ(outcome.err, "");
      const std::string file = ReadFile(work_ / row.target);
      // The Voyager 200 comment carries the moment of the import.
      const std::string expected = TextFile(row.model, " Bonjour\rCDisp 1", "cours");
      EXPECT_EQ(file.substr(0, 34), expected.substr(0, 34));
      EXPECT_EQ(file.substr(49), expected.substr(49));
    }
  }
}

TEST_F(OrbiskTextTest, ImportWarnsOfUnknownCharactersAndRefusesWhatCannotBeMade) {
  WriteFile(work_ / "notes.txt", "Prix : 5 €\nencore €\n");
  const Outcome warned = Orbisk({"--from-text", "notes.txt"});
  EXPECT_EQ(warned.status, 0);
  EXPECT_EQ(warned.err,
            "Avertissement : notes.txt, ligne 1, colonne 10 : « € » (U+20AC) "
            "n'existe pas sur les calculatrices ; il est remplacé par « ? ».\n");

  WriteFile(work_ / "Mes notes.txt", "x");
  WriteFile(work_ / "bad.txt", "caf\xE9\n");
  const Outcome refused = Orbisk({"--from-text", "Mes notes.txt", "bad.txt"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err,
            "Impossible d'importer Mes notes.txt : son nom ne donne pas un nom de variable (au "
            "plus 8 caractères, une lettre d'abord, puis des lettres, des chiffres ou « _ ») ; "
            "donnez-en un avec --name.\n"
            "Impossible d'importer bad.txt : ligne 1, colonne 4, un octet n'est pas du texte "
            "UTF-8 ; enregistrez-le en UTF-8, ou lisez-le avec --encoding latin1 ou "
            "--encoding cp1252.\n");
  EXPECT_EQ(work_.Entries(), (Names{"Mes notes.txt", "bad.txt", "notes.txt", "notes.v2t"}));

  EXPECT_EQ(Orbisk({"--from-text", "--name", "mesnotes", "Mes notes.txt"}).status, 0);
  EXPECT_EQ(ReadFile(work_ / "Mes notes.v2t").substr(0x40, 8), "mesnotes");
}

TEST_F(OrbiskTextTest, ChecksWithoutChangingAnythingAndTellsEveryProblem) {
  const std::string good = TextFile(Model::Ti89, " Bonjour");
  std::string bad = TextFile(Model::Ti92Plus, " Bonjour");
  bad[0x4C] = 0x10;
  bad.back() = 0x00;  // the checksum's high byte
  WriteFile(work_ / "good.89t", good);
  WriteFile(work_ / "bad.9xt", bad);

  const Outcome correct = Orbisk({"--check", "good.89t"});
  EXPECT_EQ(correct.status, 0);
  EXPECT_EQ(correct.out,
            "good.89t : correct (TI-89, dossier main, variable notes, texte, "
            "102 octets)\n");

  const Outcome both = Orbisk({"--check", "good.89t", "bad.9xt"});
  EXPECT_EQ(both.status, 1);
  EXPECT_EQ(both.out.substr(both.out.find("bad.9xt")),
            "bad.9xt : 2 problèmes\n"
            "  - la taille inscrite est de 16 octets, mais il en fait 102\n"
            "  - la somme de contrôle inscrite est 0x00EC, mais le contenu donne 0x03EC\n");
  EXPECT_EQ(ReadFile(work_ / "good.89t"), good);
  EXPECT_EQ(ReadFile(work_ / "bad.9xt"), bad);
  EXPECT_EQ(work_.Entries(), (Names{"bad.9xt", "good.89t"}));
}

TEST_F(OrbiskTextTest, ConvertsToTheModelChosenAndGivesATi89FileARealSignature) {
  const std::string notes = TextFile(Model::Voyager200, " Bonjour");
  WriteFile(work_ / "notes.v2t", notes);
  EXPECT_EQ(Orbisk({"--to", "89t", "notes.v2t"}).status, 0);
  const std::string ti89 = ReadFile(work_ / "notes.89t");
  EXPECT_EQ(ti89.substr(0, 8), "**TI89**");
  EXPECT_EQ(ti89.substr(18, 31), std::string(31, ' '));
  EXPECT_EQ(ti89.substr(49), notes.substr(49));

  // Without --to, a TI-89 file goes to Voyager 200, with that model's whole signature.
  EXPECT_EQ(Orbisk({"--yes", "notes.89t"}).status, 0);
  const std::string back = ReadFile(work_ / "notes.v2t");
  EXPECT_EQ(back.substr(0, 8), "**TI92P*");
  EXPECT_EQ(Orbisk({"--check", "notes.v2t", "notes.89t"}).status, 0);
}

// The shipped sample is what Orbisk makes of its text, and reads back as that text.
TEST_F(OrbiskTextTest, TheNonAsciiSampleIsMadeFromItsText) {
  const std::string text = ReadFile(std::string(ORBISK_EXAMPLES) + "/formules.txt");
  WriteFile(work_ / "formules.txt", text);
  const Outcome made = Orbisk({"--from-text", "--to", "9xt", "formules.txt"});
  EXPECT_EQ(made.status, 0);
  EXPECT_EQ(made.err, "");
  EXPECT_TRUE(testing::SameBytes(ReadFile(work_ / "formules.9xt"),
                                 ReadFile(std::string(ORBISK_EXAMPLES) + "/formules.9xt")));
  EXPECT_EQ(Orbisk({"--show", "formules.9xt"}).out, text);
}

// Every code but the line separator, in a line of each kind, through the real program.
TEST_F(OrbiskTextTest, EveryCodeSurvivesExportThenImport) {
  std::string codes;
  for (unsigned code = 1; code < 256; ++code) {
    if (code != 0x0D) codes += static_cast<char>(code);
  }
  const std::string text = " " + codes + "\rC" + codes + "\r\x0C\r\rP" + codes;
  WriteFile(work_ / "all.9xt", TextFile(Model::Ti92Plus, text, "all"));
  ASSERT_EQ(Orbisk({"--to-text", "all.9xt"}).status, 0);
  ASSERT_EQ(Orbisk({"--from-text", "--to", "9xt", "--yes", "all.txt"}).status, 0);
  EXPECT_TRUE(
      testing::SameBytes(ReadFile(work_ / "all.9xt"), TextFile(Model::Ti92Plus, text, "all")));
}

}  // namespace
}  // namespace orbisk
