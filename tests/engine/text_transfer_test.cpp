// Reading, exporting, importing and checking real files, with a scripted user: what is
// written, what is said, and that nothing is written when something is wrong.
#include "text_transfer.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "faulty_file_system.hpp"
#include "files.hpp"
#include "fixed_clock.hpp"
#include "posix_file_system.hpp"
#include "scripted_interaction.hpp"
#include "temp_folder.hpp"

namespace orbisk {
namespace {

using testing::ReadFile;
using testing::WriteFile;
using Kind = testing::ScriptedInteraction::Kind;
using Names = std::vector<std::string>;

class TextTransferTest : public ::testing::Test {
 protected:
  TextTransfer Transfer() { return TextTransfer(files_, user_, clock_, {'/', ':'}); }

  std::string Sample(Model model, const std::string& text = " Bonjour\rCDisp x") {
    TextVariable variable;
    variable.model = model;
    variable.name = "notes";
    variable.text = CalculatorText::FromCodes(text);
    return WriteTextFile(variable, "23/02/03, 14:09");
  }

  void ExpectOneFailure(const std::string& text) {
    ASSERT_EQ(user_.shown.size(), 1u);
    EXPECT_EQ(user_.shown[0].kind, Kind::Failure);
    EXPECT_EQ(user_.shown[0].text, text);
  }

  testing::TempFolder folder_;
  PosixFileSystem files_;
  testing::ScriptedInteraction user_;
  testing::FixedClock clock_{2003, 2, 23, 14, 9};
};

TEST_F(TextTransferTest, ExportsTheTextBesideAndAsksBeforeReplacing) {
  WriteFile(folder_ / "notes.89t", Sample(Model::Ti89));
  ASSERT_EQ(::chmod((folder_ / "notes.89t").c_str(), 0600), 0);
  const Result<std::vector<Problem>> damage =
      Transfer().Export(folder_ / "notes.89t", folder_ / "notes.txt");
  ASSERT_TRUE(user_.Reported(damage));
  EXPECT_TRUE(damage->empty());
  EXPECT_EQ(ReadFile(folder_ / "notes.txt"), "Bonjour\nC│Disp x\n");
  struct stat st {};
  ASSERT_EQ(::stat((folder_ / "notes.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  // A damaged source (a wrong checksum) is written as far as its text goes, and what is
  // wrong with it comes back as well as being told.
  std::string damaged = Sample(Model::Ti89);
  damaged.back() = static_cast<char>(damaged.back() ^ 1);
  WriteFile(folder_ / "abime.89t", damaged);
  const Result<std::vector<Problem>> found =
      Transfer().Export(folder_ / "abime.89t", folder_ / "abime.txt");
  ASSERT_TRUE(user_.Reported(found));
  ASSERT_EQ(found->size(), 1u);
  EXPECT_EQ(found->front().kind, Problem::Kind::Checksum);
  EXPECT_EQ(ReadFile(folder_ / "abime.txt"), "Bonjour\nC│Disp x\n");
  ASSERT_EQ(user_.shown.size(), 1u);

  WriteFile(folder_ / "notes.txt", "old");
  user_ = testing::ScriptedInteraction({false});
  EXPECT_FALSE(user_.Reported(Transfer().Export(folder_ / "notes.89t", folder_ / "notes.txt")));
  EXPECT_EQ(user_.shown[0].text, folder_ / "notes.txt" + " existe déjà. Voulez-vous l'écraser ?");
  EXPECT_EQ(ReadFile(folder_ / "notes.txt"), "old");
}

TEST_F(TextTransferTest, ImportsForEachModelAndWarnsOfEachUnknownCharacterOnce) {
  WriteFile(folder_ / "notes.txt", "Bonjour ☃\r\nC│Disp x☃\r\n");
  for (const Model model : {Model::Voyager200, Model::Ti92Plus, Model::Ti89}) {
    SCOPED_TRACE(ExtensionOf(model));
    user_.shown.clear();
    const std::string target = folder_ / (std::string("notes.") + ExtensionOf(model));
    ASSERT_TRUE(user_.Reported(Transfer().Import(folder_ / "notes.txt", target, model, "notes")));
    EXPECT_TRUE(testing::SameBytes(ReadFile(target), Sample(model, " Bonjour ?\rCDisp x?")));
    ASSERT_EQ(user_.shown.size(), 1u);
    EXPECT_EQ(user_.shown[0].kind, Kind::Message);
    EXPECT_EQ(user_.shown[0].text, "Avertissement : " + folder_ / "notes.txt" +
                                       ", ligne 1, colonne 9 : « ☃ » (U+2603) n'existe pas sur "
                                       "les calculatrices ; il est remplacé par « ? ».");
  }
}

// Nothing is written for a text that cannot become a variable.
TEST_F(TextTransferTest, RefusesTextsThatCannotBecomeAVariable) {
  struct Row {
    const char* name;
    std::string utf8;
    std::string said;  // after "Impossible d'importer <path> : "
  };
  const std::string longest(65531 - 1, 'a');  // with the ordinary line's command code
  const Row rows[] = {
      {"not UTF-8", "ab\ncd\xE9z\n",
       "ligne 2, colonne 3, un octet n'est pas du texte UTF-8 ; enregistrez-le en UTF-8, ou "
       "lisez-le avec --encoding latin1 ou --encoding cp1252."},
      {"one code too many", longest + "a",
       "la variable ferait 65536 octets, plus que les 65535 octets qu'une variable peut "
       "contenir."},
      {"far too long", std::string(300000, 'a'),
       "il fait 300000 octets, bien trop pour une variable, qui contient au plus 65535 "
       "octets."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    user_.shown.clear();
    WriteFile(folder_ / "in.txt", row.utf8);
    EXPECT_FALSE(user_.Reported(
        Transfer().Import(folder_ / "in.txt", folder_ / "in.v2t", Model::Voyager200, "in")));
    ExpectOneFailure("Impossible d'importer " + folder_ / "in.txt" + " : " + row.said);
    EXPECT_EQ(folder_.Entries(), Names{"in.txt"});
  }
  WriteFile(folder_ / "in.txt", longest);
  EXPECT_TRUE(user_.Reported(
      Transfer().Import(folder_ / "in.txt", folder_ / "in.v2t", Model::Voyager200, "in")));
}

// Every file that is not what it claims is named, with what is wrong, and nothing written.
TEST_F(TextTransferTest, TellsWhatIsWrongWithAFileToRead) {
  // A damaged file whose text can be found is read (see damaged_file_test.cpp); one that no
  // calculator made cannot be.
  std::string unknown = Sample(Model::Ti92Plus);
  unknown.replace(0, 8, "\x01\x02**TI92");
  std::string list = Sample(Model::Ti92Plus);
  list[0x48] = 0x04;
  struct Row {
    const char* name;
    std::string bytes;
    std::string said;
  };
  const Row rows[] = {
      {"empty", "",
       "Impossible de lire P : il ne fait que 0 octet, trop peu pour l'en-tête "
       "d'une variable (88 octets au moins)."},
      {"no calculator's signature", unknown,
       "Impossible de lire P : sa signature « \\x01\\x02**TI92 » n'est celle d'aucun fichier de "
       "TI-89, de TI-92 Plus ou de Voyager 200."},
      {"not a text", list,
       "Impossible de lire le texte de P : ce n'est pas une variable texte (type 0x04)."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    user_.shown.clear();
    const std::string path = folder_ / "notes.9xt";
    WriteFile(path, row.bytes);
    EXPECT_FALSE(user_.Reported(Transfer().Read(path)));
    EXPECT_FALSE(user_.Reported(Transfer().Export(path, folder_ / "notes.txt")));
    ASSERT_EQ(user_.shown.size(), 2u);
    std::string said = row.said;
    said.replace(said.find(" P "), 3, " " + path + " ");
    EXPECT_EQ(user_.shown[0].text, said);
    EXPECT_EQ(folder_.Entries(), Names{"notes.9xt"});
  }
}

// What a file says of its size only sizes the first read: a file that grows or shrinks
// between its stat and its read is read as it is.
TEST_F(TextTransferTest, ReadsAFileWhoseSizeChangesBetweenItsStatAndItsRead) {
  const std::string line(100, 'a');
  const std::pair<std::size_t, std::size_t> rows[] = {{10, 2000}, {2000, 10}, {700, 701}};
  for (const auto& [told, read] : rows) {
    SCOPED_TRACE(std::to_string(told) + " then " + std::to_string(read));
    std::string text;
    for (std::size_t i = 0; i < told; ++i) text += line + "\n";
    std::string grown;
    for (std::size_t i = 0; i < read; ++i) grown += line + "\n";
    const std::string path = folder_ / "notes.txt";
    WriteFile(path, text);
    testing::FaultyFileSystem faulty(files_);
    faulty.Before(testing::Step::Read, [&] { WriteFile(path, grown); });
    TextTransfer transfer(faulty, user_, clock_, {'/', ':'});
    const Result<ImportedText> imported = transfer.ReadImport(path);
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->text.lines.size(), read);
  }
}

}  // namespace
}  // namespace orbisk
