// Damaged and misnamed files: what can be read of them is read with a warning, a repair
// gives the sound file back, a conversion says it copied a damaged one; and files given to
// the wrong mode say what to do instead.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "converter.hpp"
#include "files.hpp"
#include "fixed_clock.hpp"
#include "messages.hpp"
#include "posix_file_system.hpp"
#include "scripted_interaction.hpp"
#include "temp_folder.hpp"
#include "text_transfer.hpp"

namespace orbisk {
namespace {

ImportOptions EncodedAs(TextEncoding encoding) {
  ImportOptions options;
  options.encoding = encoding;
  return options;
}

using testing::CalculatorTextFile;
using testing::ReadFile;
using testing::WriteFile;
using Kind = Problem::Kind;
using Names = std::vector<std::string>;

const std::string kCodes = " Bonjour\rCDisp x";

// Faults planted in a sound TI92+ file, the problems they show, and whether the text is then
// read to its end (false: the file was cut short).
struct Planted {
  const char* name;
  std::function<void(std::string&)> plant;
  std::vector<Kind> damage;
  bool whole;
};

std::vector<Planted> PlantedFaults() {
  return {
      {"checksum", [](std::string& f) { f[f.size() - 1] ^= 0x40; }, {Kind::Checksum}, true},
      {"file size field", [](std::string& f) { f[0x4C] = 0x10; }, {Kind::FileSizeField}, true},
      {"variable size",
       [](std::string& f) { f[0x57] = 0x30; },
       {Kind::VariableSizeDoesNotFit},
       true},
      {"closing tag",
       [](std::string& f) { f[f.size() - 3] = 0x01; },
       {Kind::TextWithoutEnd, Kind::Checksum},
       true},
      {"first marker", [](std::string& f) { f[8] = 0x07; }, {Kind::FirstMarker}, true},
      {"cut short",
       [](std::string& f) { f.resize(f.size() - 6); },
       {Kind::FileSizeField, Kind::VariableSizeDoesNotFit},
       false},
  };
}

class DamagedFileTest : public ::testing::Test {
 protected:
  TextTransfer Texts() { return TextTransfer(files_, user_, clock_, {'/', ':'}); }

  testing::TempFolder folder_;
  PosixFileSystem files_;
  testing::ScriptedInteraction user_;
  testing::FixedClock clock_{2003, 2, 23, 14, 9};
  std::string path_ = folder_ / "notes.9xt";
};

TEST_F(DamagedFileTest, WhatCanBeReadIsReadWithTheDamageNamed) {
  const std::string sound = CalculatorTextFile(kCodes);
  for (const Planted& row : PlantedFaults()) {
    SCOPED_TRACE(row.name);
    std::string damaged = sound;
    row.plant(damaged);
    WriteFile(path_, damaged);
    Result<OpenedText> opened = Texts().Read(path_);
    ASSERT_TRUE(opened);
    std::vector<Kind> found;
    for (const Problem& problem : opened->damage) found.push_back(problem.kind);
    EXPECT_EQ(found, row.damage);
    EXPECT_EQ(opened->cutShort, !row.whole);
    if (row.whole) {
      EXPECT_EQ(opened->variable.text.Codes(), kCodes);
    } else {
      EXPECT_EQ(kCodes.rfind(opened->variable.text.Codes(), 0), 0u);
    }
    EXPECT_EQ(opened->variable.name, "notes");
  }
}

TEST_F(DamagedFileTest, TheWarningsSayWhatIsWrongAndHowToMendIt) {
  std::string damaged = CalculatorTextFile(kCodes);
  damaged.back() ^= 0x40;
  WriteFile(path_, damaged);
  Result<OpenedText> opened = Texts().Read(path_);
  ASSERT_TRUE(opened);
  ASSERT_EQ(ReadingWarnings(*opened).size(), 1u);
  EXPECT_EQ(messages::WarningText(ReadingWarnings(*opened)[0]),
            "Avertissement : " + path_ +
                " : la somme de contrôle est fausse ; le texte est lu tel quel. Pour le "
                "réparer : orbisk --repair " +
                path_ + ".");

  // A TI-89 file named as a Voyager 200 one is read by its signature, with a note.
  const std::string misnamed = folder_ / "notes.v2t";
  WriteFile(misnamed, CalculatorTextFile(kCodes, Model::Ti89));
  opened = Texts().Read(misnamed);
  ASSERT_TRUE(opened);
  EXPECT_TRUE(opened->damage.empty());
  EXPECT_EQ(opened->variable.model, Model::Ti89);
  ASSERT_EQ(ReadingWarnings(*opened).size(), 1u);
  EXPECT_EQ(messages::WarningText(ReadingWarnings(*opened)[0]),
            "Note : " + misnamed + " est un fichier TI-89 ; son nom devrait être " +
                folder_ / "notes.89t" + ".");
}

// A repair gives back the file as it was before the fault, byte for byte, keeping the
// damaged one beside it unless told not to.
TEST_F(DamagedFileTest, ARepairGivesBackTheSoundFile) {
  const std::string sound = CalculatorTextFile(kCodes);
  for (const Planted& row : PlantedFaults()) {
    for (const bool backup : {true, false}) {
      SCOPED_TRACE(std::string(row.name) + (backup ? ", with a backup" : ""));
      std::filesystem::remove(path_ + "~");
      std::string damaged = sound;
      row.plant(damaged);
      WriteFile(path_, damaged);
      Result<Repaired> repaired = Texts().Repair(path_, {backup, false});
      ASSERT_TRUE(repaired);
      std::vector<Kind> mended;
      for (const Problem& problem : repaired->mended) mended.push_back(problem.kind);
      EXPECT_EQ(mended, row.damage);
      if (row.whole) {
        EXPECT_TRUE(testing::SameBytes(ReadFile(path_), sound));
      } else {
        const std::string file = ReadFile(path_);
        EXPECT_TRUE(CheckVariableFile(file, file.size(), path_).problems.empty());
      }
      EXPECT_EQ(std::filesystem::exists(path_ + "~"), backup);
      if (backup) {
        EXPECT_EQ(ReadFile(path_ + "~"), damaged);
      }
      EXPECT_TRUE(user_.shown.empty());
    }
  }
  // A sound file is left alone.
  Result<Repaired> again = Texts().Repair(path_, {true, false});
  ASSERT_TRUE(again);
  EXPECT_TRUE(again->mended.empty());
  EXPECT_EQ(messages::RepairReport(path_, *again), path_ + " : correct, rien à réparer\n");
}

TEST_F(DamagedFileTest, TheSignatureIsMendedOnlyOnRequest) {
  const std::string misnamed = folder_ / "notes.89t";
  WriteFile(misnamed, CalculatorTextFile(kCodes, Model::Ti92Plus));
  // A TI92+ signature on a .89t file is how the old link software wrote TI-89 files: sound.
  Result<Repaired> asked = Texts().Repair(misnamed, {false, false});
  ASSERT_TRUE(asked);
  EXPECT_EQ(messages::RepairReport(misnamed, *asked), misnamed + " : correct, rien à réparer\n");
  EXPECT_EQ(ReadFile(misnamed), CalculatorTextFile(kCodes, Model::Ti92Plus));
  Result<Repaired> fixed = Texts().Repair(misnamed, {false, true});
  ASSERT_TRUE(fixed);
  EXPECT_EQ(messages::RepairReport(misnamed, *fixed),
            misnamed + " : réparé ; refait : la signature\n");
  EXPECT_EQ(ReadFile(misnamed).substr(0, 8), "**TI89**");
  // Only the signature changes.
  EXPECT_EQ(ReadFile(misnamed).substr(8), CalculatorTextFile(kCodes, Model::Ti92Plus).substr(8));
  // A Voyager 200 file named .89t is misnamed: said, and mended on request alone.
  WriteFile(misnamed, CalculatorTextFile(kCodes, Model::Voyager200));
  Result<Repaired> told = Texts().Repair(misnamed, {false, false});
  ASSERT_TRUE(told);
  EXPECT_EQ(messages::RepairReport(misnamed, *told),
            misnamed + " : rien à réparer, mais c'est un fichier Voyager 200 ; renommez-le en " +
                folder_ / "notes.v2t" +
                ", ou donnez-lui la signature de son nom avec --fix-signature\n");
}

TEST_F(DamagedFileTest, WhatCannotBeRepairedIsRefusedWithTheReason) {
  std::string program = CalculatorTextFile(kCodes);
  program[0x48] = 0x12;
  program.back() ^= 1;
  const std::pair<std::string, std::string> rows[] = {
      {std::string("\x01\x02 not a calculator file at all, and long enough for a header: "
                   "0123456789abcdefghijklmnopqrstuvwxyz"),
       "sa signature « \\x01\\x02 not a » n'est celle d'aucun fichier de TI-89, de TI-92 Plus ou "
       "de Voyager 200"},
      {program, "ce n'est pas une variable texte (type 0x12)"},
  };
  for (const auto& [bytes, why] : rows) {
    SCOPED_TRACE(why);
    user_.shown.clear();
    WriteFile(path_, bytes);
    Result<Repaired> repaired = Texts().Repair(path_, {true, false});
    EXPECT_FALSE(user_.Reported(repaired));
    ASSERT_EQ(user_.shown.size(), 1u);
    EXPECT_EQ(user_.shown[0].text, "Impossible de réparer " + path_ + " : " + why +
                                       " ; aucun texte n'y est à retrouver.");
    EXPECT_EQ(ReadFile(path_), bytes);
    EXPECT_EQ(folder_.Entries(), Names{"notes.9xt"});
  }
}

// A repair keeps every earlier file: a "~" the user made stays, and the backup takes the next
// numbered name; through a link it is named where it lies. What the header held beside the
// text (the reserved bytes, the four before the size) is kept too.
TEST_F(DamagedFileTest, ARepairKeepsEveryBackupAndWhatTheHeaderHeld) {
  std::string damaged = CalculatorTextFile(kCodes);
  damaged[layout::kAttribute + 1] = 0x12;
  damaged[layout::kData] = 0x34;
  damaged.back() ^= 1;  // the checksum
  WriteFile(path_, damaged);
  WriteFile(path_ + "~", "the user's own");
  const char* names[] = {".~1~", ".~2~"};
  for (const char* name : names) {
    Result<Repaired> repaired = Texts().Repair(path_, {true, false});
    ASSERT_TRUE(user_.Reported(repaired));
    EXPECT_EQ(repaired->backup, path_ + name);
    EXPECT_EQ(ReadFile(path_ + "~"), "the user's own");
    WriteFile(path_, damaged);
  }
  EXPECT_EQ(ReadFile(path_ + ".~1~"), damaged);
  Result<Repaired> last = Texts().Repair(path_, {false, false});
  ASSERT_TRUE(user_.Reported(last));
  const std::string repaired = ReadFile(path_);
  EXPECT_EQ(repaired[layout::kAttribute + 1], 0x12);
  EXPECT_EQ(repaired[layout::kData], 0x34);
  EXPECT_TRUE(CheckVariableFile(repaired, repaired.size(), path_).problems.empty());

  std::filesystem::create_directory(folder_ / "real");
  WriteFile(folder_ / "real/f.9xt", damaged);
  std::filesystem::create_symlink("real/f.9xt", folder_ / "link.9xt");
  Result<Repaired> linked = Texts().Repair(folder_ / "link.9xt", {true, false});
  ASSERT_TRUE(user_.Reported(linked));
  EXPECT_EQ(linked->backup, folder_ / "real/f.9xt~");
  EXPECT_EQ(ReadFile(folder_ / "real/f.9xt~"), damaged);
}

// A repair never writes less text than it read: a 00 inside a text whose sizes and end agree,
// and a text longer than a variable holds, leave the file (and any backup) as they are.
TEST_F(DamagedFileTest, ARepairThatWouldLoseTextIsRefusedAndWritesNothing) {
  std::string strayNul = CalculatorTextFile(kCodes);
  strayNul[0x58 + 2 + 3] = '\0';
  std::string tooLong = CalculatorTextFile(kCodes);
  tooLong.resize(0x56);  // a size field of FFFF, the cursor, then more text than it can say
  tooLong += std::string("\xFF\xFF\x00\x01", 4) + std::string(65601, 'a');
  const std::pair<std::string, std::string> rows[] = {
      {strayNul,
       "son texte contient un octet 00, ligne 1, colonne 4 : la calculatrice le couperait là ; "
       "réparé, il perdrait tout ce qui suit. Le fichier est laissé tel quel ; orbisk --to-text " +
           path_ + " en écrit le texte entier."},
      {tooLong,
       "son texte ferait 65539 octets, plus que les 65 535 qu'une variable peut contenir. Le "
       "fichier est laissé tel quel."},
  };
  for (const auto& [bytes, why] : rows) {
    SCOPED_TRACE(why);
    user_.shown.clear();
    WriteFile(path_, bytes);
    for (const bool backup : {true, false}) {
      Result<Repaired> repaired = Texts().Repair(path_, {backup, false});
      EXPECT_FALSE(user_.Reported(repaired));
      EXPECT_TRUE(ReadFile(path_) == bytes);
      EXPECT_EQ(folder_.Entries(), Names{"notes.9xt"});
    }
    ASSERT_EQ(user_.shown.size(), 2u);
    EXPECT_EQ(user_.shown[0].text, "Impossible de réparer " + path_ + " : " + why);
  }
  // The text of the first is read whole, the 00 shown where it is, and no repair advised.
  WriteFile(path_, strayNul);
  Result<OpenedText> opened = Texts().Read(path_);
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->variable.text.Codes().size(), std::string(kCodes).size());
  ASSERT_EQ(ReadingWarnings(*opened).size(), 1u);
  user_.Warn(ReadingWarnings(*opened)[0]);
  EXPECT_NE(user_.shown.back().text.find("Une réparation le couperait"), std::string::npos);
}

// A conversion still copies a damaged file byte for byte, and says how to mend it.
TEST_F(DamagedFileTest, AConversionOfADamagedFileSaysSo) {
  std::string damaged = CalculatorTextFile(kCodes);
  damaged[0x4C] = 0x10;
  WriteFile(path_, damaged);
  Converter converter(files_, user_, clock_, {'/', ':'});
  ASSERT_TRUE(user_.Reported(converter.Convert(Model::Voyager200, path_, folder_ / "notes.v2t")));
  EXPECT_TRUE(testing::SameBytes(ReadFile(folder_ / "notes.v2t"),
                                 testing::ExpectedV200(damaged, "23/02/03, 14:09")));
  ASSERT_EQ(user_.shown.size(), 1u);
  EXPECT_EQ(user_.shown[0].text,
            "Avertissement : " + path_ +
                " est abîmé (la taille du fichier inscrite est fausse) ; il est converti tel "
                "quel. Pour le réparer : orbisk --repair " +
                path_ + ".");
  // A sound file, or one that is no calculator's, is converted without a word.
  user_.shown.clear();
  WriteFile(path_, CalculatorTextFile(kCodes));
  ASSERT_TRUE(user_.Reported(converter.Convert(Model::Ti92Plus, path_, folder_ / "back.9xt")));
  WriteFile(path_, testing::SampleTi92PlusFile(300));
  ASSERT_TRUE(user_.Reported(converter.Convert(Model::Ti92Plus, path_, folder_ / "other.9xt")));
  EXPECT_TRUE(user_.shown.empty());
}

// A text file where a calculator file is expected, and a calculator file given to be made
// from text, say what to do instead; a text in an old encoding is read when told which.
TEST_F(DamagedFileTest, FilesGivenToTheWrongModeSayWhatToDo) {
  const std::string text = folder_ / "notes.txt";
  WriteFile(text, "Bonjour\n");
  EXPECT_FALSE(user_.Reported(Texts().Read(text)));
  EXPECT_EQ(user_.shown.back().text,
            text +
                " est un fichier texte ordinaire, pas un fichier de calculatrice ; pour en faire "
                "un : orbisk --from-text " +
                text);
  const std::string spaced = folder_ / "mes notes.txt";
  WriteFile(spaced, "Bonjour\n");
  EXPECT_FALSE(user_.Reported(Texts().Read(spaced)));
  EXPECT_EQ(user_.shown.back().text,
            spaced +
                " est un fichier texte ordinaire, pas un fichier de calculatrice ; pour en "
                "faire un : orbisk --from-text '" +
                spaced + "'");

  WriteFile(path_, CalculatorTextFile(kCodes));
  EXPECT_FALSE(
      user_.Reported(Texts().Import(path_, folder_ / "notes.v2t", Model::Voyager200, "n")));
  EXPECT_EQ(user_.shown.back().text, "Impossible d'importer " + path_ +
                                         " : c'est déjà un fichier de calculatrice (TI92+) "
                                         "; pour en lire le texte : orbisk --show " +
                                         path_ +
                                         ", pour le convertir : orbisk "
                                         "--to v2t " +
                                         path_ + ".");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "notes.v2t"));

  struct Row {
    TextEncoding encoding;
    std::string bytes;
    std::string codes;
  };
  for (const Row& row : {Row{TextEncoding::Latin1, "caf\xE9 \xB0", " caf\xE9 \xB0"},
                         Row{TextEncoding::Cp1252, "\x85 \x80", " \xA0 ?"}}) {
    WriteFile(text, row.bytes);
    ASSERT_TRUE(user_.Reported(Texts().Import(text, folder_ / "enc.9xt", Model::Ti92Plus, "enc",
                                              nullptr, EncodedAs(row.encoding))));
    const std::string made = ReadFile(folder_ / "enc.9xt");
    const FileReport report = CheckVariableFile(made, made.size(), "enc.9xt");
    ASSERT_TRUE(report.text);
    EXPECT_EQ(report.text->text.Codes(), row.codes);
    std::filesystem::remove(folder_ / "enc.9xt");
  }
}

// "C|" written with the keyboard's bar leaves a line ordinary: said once, with the mark.
TEST_F(DamagedFileTest, TheKeyboardsBarIsSaidToBeNoMark) {
  const std::string text = folder_ / "prog.txt";
  WriteFile(text, "a\nP|y\nC|x\n");
  user_.shown.clear();
  ASSERT_TRUE(user_.Reported(Texts().Import(text, folder_ / "prog.9xt", Model::Ti92Plus, "prog")));
  ASSERT_EQ(user_.shown.size(), 1u);
  EXPECT_EQ(user_.shown[0].text,
            "Avertissement : " + text +
                ", ligne 2 : « P| » laisse la ligne ordinaire ; une ligne "
                "PrintObj commence par « P│ » (U+2502), pas par la barre « | » du clavier.");
}

}  // namespace
}  // namespace orbisk
