// The real orbisk on group files: listed like tar -tv, extracted into files of their own and
// made again the same, checked entry by entry, and backups recognised but never written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "file_check.hpp"
#include "files.hpp"
#include "orbisk_runner.hpp"
#include "temp_folder.hpp"
#include "variable_file.hpp"

namespace orbisk {
namespace {

using testing::Outcome;
using testing::ReadFile;
using testing::WriteFile;
using Names = std::vector<std::string>;

VariableEntry Variable(std::string folder, std::string name, unsigned char type, std::size_t size,
                       unsigned char attribute = 0) {
  VariableEntry entry;
  entry.folder = std::move(folder);
  entry.name = std::move(name);
  entry.type = type;
  entry.attribute = attribute;
  entry.data = testing::SampleVariableData(type, size);
  return entry;
}

// main\notes, main\l1, then cours\maths (archived) and cours\jeu, an assembly program.
VariableFile Cours(Signature signature, bool withAssembly = true) {
  VariableFile file;
  file.signature = signature;
  file.folder.clear();
  file.group = true;
  file.entries = {Variable("main", "notes", 0x0B, 30), Variable("main", "l1", 0x04, 9),
                  Variable("cours", "maths", 0x0B, 12, 3)};
  if (withAssembly) file.entries.push_back(Variable("cours", "jeu", 0x21, 20));
  return file;
}

VariableFile Backup() {
  VariableFile file;
  file.signature = Signature::Ti89;
  file.folder.clear();
  VariableEntry& memory = file.entries.emplace_back();
  memory.name = "2.09";
  memory.type = types::kBackup;
  memory.data = std::string(100, 'B');
  return file;
}

// A text variable as --show prints it.
std::string ShownText(const VariableEntry& entry) {
  return WrittenText(*TextOfVariable(entry, Model::Ti89), TextFormat::Utf8);
}

// What was written in `path`, read back.
std::vector<VariableEntry> EntriesOf(const std::string& path) {
  const std::string bytes = ReadFile(path);
  const ParsedFile parsed = ParseVariableFile(bytes, bytes.size());
  EXPECT_TRUE(parsed.problems.empty()) << path;
  return parsed.file.entries;
}

TEST(OrbiskGroupsTest, ListsEachVariableLikeTarAndABackupByItsSystem) {
  struct Row {
    Names arguments;
    int status;
    std::string out;
    std::string err;
  };
  const Row rows[] = {
      {{"--list", "cours.89g"},
       0,
       "-          texte                        34  main\\notes\n"
       "-          liste                         9  main\\l1\n"
       "archivé    texte                        16  cours\\maths\n"
       "-          programme en assembleur      20  cours\\jeu\n",
       ""},
      {{"--list", "sauve.89g", "cours.89g"},
       0,
       "==> sauve.89g <==\nsauvegarde TI-89, système 2.09, 100 octets de mémoire\n\n"
       "==> cours.89g <==\n"
       "-          texte                        34  main\\notes\n"
       "-          liste                         9  main\\l1\n"
       "archivé    texte                        16  cours\\maths\n"
       "-          programme en assembleur      20  cours\\jeu\n",
       ""},
      {{"--check", "sauve.89g", "cours.89g"},
       0,
       "sauve.89g : correct (sauvegarde TI-89, système 2.09, 100 octets de mémoire)\n"
       "cours.89g : correct (groupe TI-89, 4 variables dans 2 dossiers, " +
           std::to_string(WriteVariableFile(Cours(Signature::Ti89)).size()) + " octets)\n",
       ""},
      {{"--list", "notes.txt"},
       1,
       "",
       "notes.txt est un fichier texte ordinaire, pas un fichier de calculatrice ; pour en faire "
       "un : orbisk --from-text "
       "notes.txt\n"},
      // Every text is shown; each variable that has none is named, with why.
      {{"--show", "cours.89g"},
       1,
       "==> cours.89g : main\\notes <==\n" + ShownText(Cours(Signature::Ti89).entries[0]) +
           "\n==> cours.89g : cours\\maths <==\n" + ShownText(Cours(Signature::Ti89).entries[2]),
       "Impossible de montrer main\\l1 de cours.89g : ce n'est ni un texte ni un programme "
       "(liste).\nImpossible de montrer cours\\jeu de cours.89g : ce n'est ni un texte ni un "
       "programme (programme en assembleur).\n"},
      {{"--show", "sauve.89g"},
       1,
       "",
       "Impossible de lire le texte de sauve.89g : c'est une sauvegarde, l'image de la mémoire "
       "d'une calculatrice liée à la version de son système ; orbisk --list sauve.89g la "
       "décrit.\n"},
      {{"--to-text", "cours.89g"},
       1,
       "",
       "cours.89g est un groupe de 4 variables : pour en lire les textes : orbisk --show "
       "cours.89g, pour les extraire : orbisk --extract cours.89g.\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments[0] + " " + row.arguments[1]);
    testing::TempFolder work;
    WriteFile(work / "cours.89g", WriteVariableFile(Cours(Signature::Ti89)));
    WriteFile(work / "sauve.89g", WriteVariableFile(Backup()));
    WriteFile(work / "notes.txt", "Bonjour\n");
    const Outcome outcome = testing::RunProgram(testing::OrbiskIn(work, row.arguments));
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.out, row.out);
    EXPECT_EQ(outcome.err, row.err);
    EXPECT_EQ(work.Entries(), (Names{"cours.89g", "notes.txt", "sauve.89g"}));
  }
}

TEST(OrbiskGroupsTest, ExtractsEachVariableForItsModelAndRefusesWhatCannotMove) {
  const std::string assembly =
      "Impossible d'extraire la variable cours\\jeu de cours.89g pour Voyager 200 : c'est un "
      "programme en assembleur, écrit pour un seul modèle, qui ne fonctionnerait pas sur un "
      "autre.\n";
  struct Row {
    Names arguments;
    int status;
    std::string err;
    Names after;  // the files written, each with the group's variable of its place
    Names variables;
    Signature signature;
  };
  const Row rows[] = {
      {{"--extract", "cours.89g"},
       0,
       "",
       {"jeu.89z", "l1.89l", "maths.89t", "notes.89t"},
       {"cours\\jeu", "main\\l1", "cours\\maths", "main\\notes"},
       Signature::Ti89},
      {{"--extract", "--to", "v200", "cours.89g"},
       1,
       assembly,
       {"l1.v2l", "maths.v2t", "notes.v2t"},
       {"main\\l1", "cours\\maths", "main\\notes"},
       Signature::Ti92Plus},  // which Voyager 200 files share
      // Named as FOLDER\NAME, only those variables; one the group does not hold is said.
      {{"--extract", "cours.89g", "cours\\maths"},
       0,
       "",
       {"maths.89t"},
       {"cours\\maths"},
       Signature::Ti89},
      {{"--extract", "cours.89g", "main\\rien", "main\\notes"},
       1,
       "Le groupe cours.89g ne contient pas la variable main\\rien.\n",
       {"notes.89t"},
       {"main\\notes"},
       Signature::Ti89},
      {{"--extract", "--into", "out", "cours.89g"},
       0,
       "",
       {"out/jeu.89z", "out/l1.89l", "out/maths.89t", "out/notes.89t"},
       {"cours\\jeu", "main\\l1", "cours\\maths", "main\\notes"},
       Signature::Ti89},
      {{"--extract", "--into", "missing", "sauve.89g"},
       1,
       "Impossible d'extraire des variables de sauve.89g : c'est une sauvegarde, l'image de la "
       "mémoire d'une calculatrice liée à la version de son système ; elle n'en contient aucune "
       "à extraire.\n",
       {},
       {},
       Signature::Ti89},
      {{"--extract", "--into", "missing", "cours.89g"},
       1,
       "Impossible d'écrire le fichier missing/notes.89t : le dossier missing n'existe pas.\n"
       "Impossible d'écrire le fichier missing/l1.89l : le dossier missing n'existe pas.\n"
       "Impossible d'écrire le fichier missing/maths.89t : le dossier missing n'existe pas.\n"
       "Impossible d'écrire le fichier missing/jeu.89z : le dossier missing n'existe pas.\n",
       {},
       {},
       Signature::Ti89},
  };
  const VariableFile group = Cours(Signature::Ti89);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments.back() + " " + row.arguments[1]);
    testing::TempFolder work;
    std::filesystem::create_directory(work / "out");
    WriteFile(work / "cours.89g", WriteVariableFile(group));
    WriteFile(work / "sauve.89g", WriteVariableFile(Backup()));
    const Outcome outcome = testing::RunProgram(testing::OrbiskIn(work, row.arguments));
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.err, row.err);
    Names written;
    for (const std::string& name : work.Entries()) {
      if (name != "cours.89g" && name != "sauve.89g" && name != "out") written.push_back(name);
    }
    for (const auto& entry : std::filesystem::directory_iterator(work / "out")) {
      written.push_back("out/" + entry.path().filename().string());
    }
    std::sort(written.begin(), written.end());
    ASSERT_EQ(written, row.after);
    for (std::size_t i = 0; i < written.size(); ++i) {
      const std::string bytes = ReadFile(work / written[i]);
      const ParsedFile parsed = ParseVariableFile(bytes, bytes.size());
      EXPECT_TRUE(parsed.problems.empty()) << written[i];
      EXPECT_EQ(parsed.file.signature, row.signature);
      ASSERT_EQ(parsed.file.entries.size(), 1u);
      const VariableEntry& got = parsed.file.entries[0];
      EXPECT_EQ(got.folder + "\\" + got.name, row.variables[i]);
      EXPECT_EQ(parsed.file.folder, got.folder);
      bool found = false;
      for (const VariableEntry& entry : group.entries) found = found || entry == got;
      EXPECT_TRUE(found) << written[i];
    }
  }
}

// --notify says what an extraction or a group made in their own words, never as a
// conversion; without a display, a line each on standard output.
TEST(OrbiskGroupsTest, NotifySaysWhatAnExtractionOrAGroupMade) {
  testing::TempFolder work;
  WriteFile(work / "cours.89g", WriteVariableFile(Cours(Signature::Ti89)));
  struct Row {
    Names arguments;
    std::string out;
  };
  const Row rows[] = {
      {{"--extract", "--notify", "cours.89g"},
       "Variable de cours.89g extraite dans notes.89t\n"
       "Variable de cours.89g extraite dans l1.89l\n"
       "Variable de cours.89g extraite dans maths.89t\n"
       "Variable de cours.89g extraite dans jeu.89z\n"},
      {{"--notify", "--group", "tout.89g", "notes.89t", "maths.89t"}, "Groupe tout.89g fait\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments.front());
    const Outcome outcome = testing::RunProgram(testing::OrbiskIn(work, row.arguments));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, row.out);
  }
}

// Extracted, then made into a group again, a group holds the same variables, whatever the
// model it goes through; every way to make a wrong group is refused with nothing written.
TEST(OrbiskGroupsTest, AGroupMadeOfItsExtractedVariablesIsTheSameAndWrongOnesAreRefused) {
  testing::TempFolder work;
  WriteFile(work / "cours.9xg", WriteVariableFile(Cours(Signature::Ti92Plus, false)));
  ASSERT_EQ(
      testing::RunProgram(testing::OrbiskIn(work, {"--extract", "--to", "89", "cours.9xg"})).status,
      0);
  const Outcome made = testing::RunProgram(
      testing::OrbiskIn(work, {"--group", "tout.v2g", "notes.89t", "maths.89t", "l1.89l"}));
  EXPECT_EQ(made.status, 0) << made.err;
  // Each folder together, in the order the folders first came.
  EXPECT_EQ(EntriesOf(work / "tout.v2g"), Cours(Signature::Ti92Plus, false).entries);
  EXPECT_EQ(ParseVariableFile(ReadFile(work / "tout.v2g"), 10000).file.signature,
            Signature::Ti92Plus);

  WriteFile(work / "jeu.89z", WriteVariableFile([] {
              VariableFile file;
              file.signature = Signature::Ti89;
              file.entries.push_back(Variable("main", "jeu", 0x21, 20));
              return file;
            }()));
  WriteFile(work / "sauve.89g", WriteVariableFile(Backup()));
  struct Row {
    Names arguments;
    std::string err;
  };
  const Row rows[] = {
      {{"--group", "x.v2g", "notes.89t", "cours.9xg"},
       "Impossible de mettre cours.9xg dans le groupe : sa variable main\\notes y est déjà, "
       "venue de notes.89t.\n"},
      {{"--group", "x.v2g", "jeu.89z"},
       "Impossible de mettre jeu.89z dans un groupe pour Voyager 200 : sa variable main\\jeu est "
       "un programme en assembleur, écrit pour un seul modèle, qui ne fonctionnerait pas sur un "
       "autre.\n"},
      {{"--group", "x.89g", "sauve.89g"},
       "Impossible de mettre sauve.89g dans un groupe : c'est une sauvegarde, l'image de la "
       "mémoire d'une calculatrice liée à la version de son système.\n"},
      {{"--group", "cours.9xg", "--yes", "cours.9xg"},
       "cours.9xg et cours.9xg sont le même fichier.\n"},
      {{"--group", "x.89t", "notes.89t"},
       "orbisk : le groupe « x.89t » doit avoir l'extension d'un groupe (.89g, .9xg ou .v2g)\n"
       "Essayez « orbisk --help » pour plus d'informations.\n"},
      {{"--into", "out", "notes.89t"},
       "orbisk : l'option « --into » ne va qu'avec « --extract » ou « --receive »\n"
       "Essayez « orbisk --help » pour plus d'informations.\n"},
  };
  const Names before = work.Entries();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments[1] + " " + row.arguments[2]);
    const Outcome outcome = testing::RunProgram(testing::OrbiskIn(work, row.arguments));
    EXPECT_NE(outcome.status, 0);
    EXPECT_EQ(outcome.err, row.err);
    EXPECT_EQ(work.Entries(), before);
  }
  // The jeu program may stay on its own model.
  EXPECT_EQ(testing::RunProgram(testing::OrbiskIn(work, {"--group", "jeu.89g", "jeu.89z"})).status,
            0);
  // A group is never made over any of its sources, the first one included.
  const std::string jeu = ReadFile(work / "jeu.89g");
  const Outcome over = testing::RunProgram(
      testing::OrbiskIn(work, {"--group", "jeu.89g", "--yes", "jeu.89g", "l1.89l"}));
  EXPECT_EQ(over.status, 1);
  EXPECT_EQ(over.err, "jeu.89g et jeu.89g sont le même fichier.\n");
  EXPECT_EQ(ReadFile(work / "jeu.89g"), jeu);
}

// Two sound groups whose union a group cannot hold: more table rows than its 16-bit count,
// or more bytes than a group is read up to. Refused before anything is written.
TEST(OrbiskGroupsTest, AGroupPastWhatAGroupHoldsIsRefusedUnwritten) {
  struct Row {
    const char* what;
    std::size_t variables;  // in each of the two groups
    std::size_t size;       // of each variable's data
    std::string err;
  };
  const Row rows[] = {
      {"past the count", 33000, 8,
       "Impossible de faire le groupe tout.89g : sa table aurait 66002 lignes (variables et "
       "dossiers), plus que les 65 535 qu'un groupe peut compter. Rien n'a été écrit.\n"},
      {"past the size", 150, 60000,
       "Impossible de faire le groupe tout.89g : il ferait 18008498 octets, plus que les 16 Mo "
       "qu'un groupe peut faire pour être relu. Rien n'a été écrit.\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    testing::TempFolder work;
    for (const char* half : {"a", "b"}) {
      VariableFile group;
      group.signature = Signature::Ti89;
      group.group = true;
      for (std::size_t i = 0; i < row.variables; ++i) {
        group.entries.push_back(Variable(half, "v" + std::to_string(i), 0x0B, row.size));
      }
      WriteFile(work / (std::string(half) + ".89g"), WriteVariableFile(group));
    }
    const Outcome outcome =
        testing::RunProgram(testing::OrbiskIn(work, {"--group", "tout.89g", "a.89g", "b.89g"}));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, row.err);
    EXPECT_EQ(work.Entries(), (Names{"a.89g", "b.89g"}));
  }
}

TEST(OrbiskGroupsTest, ACheckOfADamagedGroupNamesEveryProblemAndItsVariable) {
  testing::TempFolder work;
  std::string bytes = WriteVariableFile(Cours(Signature::Ti89, false));
  const VariableFile sound = Cours(Signature::Ti89, false);
  // main\notes's checksum, just before main\l1's four lead bytes and size.
  const std::size_t notesEnd = 0x3C + 16 * 5 + 6 + 4 + 2 + sound.entries[0].data.size();
  bytes[notesEnd] = static_cast<char>(bytes[notesEnd] ^ 1);
  bytes[bytes.size() - 1] = static_cast<char>(bytes[bytes.size() - 1] ^ 1);  // cours\maths's
  WriteFile(work / "cours.89g", bytes);
  const Outcome outcome = testing::RunProgram(testing::OrbiskIn(work, {"--check", "cours.89g"}));
  EXPECT_EQ(outcome.status, 1);
  const std::string expected =
      "cours.89g : 2 problèmes\n  - variable main\\notes : la somme de contrôle inscrite est ";
  EXPECT_EQ(outcome.out.substr(0, expected.size()), expected);
  EXPECT_NE(outcome.out.find("  - variable cours\\maths : la somme de contrôle"), std::string::npos)
      << outcome.out;
  // Nothing of it is extracted: the whole table is refused.
  EXPECT_EQ(testing::RunProgram(testing::OrbiskIn(work, {"--extract", "cours.89g"})).status, 1);
  // A repair says it is a group, and what is wrong with it, not that it holds no text.
  const Outcome repair = testing::RunProgram(testing::OrbiskIn(work, {"--repair", "cours.89g"}));
  EXPECT_EQ(repair.status, 1);
  const std::string refused =
      "Impossible de réparer cours.89g : c'est un groupe, et --repair ne "
      "récrit que les textes. Ce qui ne va pas : variable main\\notes : "
      "la somme de contrôle inscrite est ";
  EXPECT_EQ(repair.err.substr(0, refused.size()), refused);
  EXPECT_EQ(work.Entries(), Names{"cours.89g"});
}

// A file named for another model is told the name it should have, with its own type's
// extension: a group's, a list's, a text's.
TEST(OrbiskGroupsTest, AMisnamedFileIsToldTheExtensionOfWhatItHolds) {
  VariableFile list = Cours(Signature::Ti89);
  list.group = false;
  list.entries = {list.entries[1]};
  struct Row {
    std::string name;
    std::string bytes;
    std::string extension;
  };
  const Row rows[] = {{"cours.9xg", WriteVariableFile(Cours(Signature::Ti89)), "9xg"},
                      {"l1.v2l", WriteVariableFile(list), "v2l"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    testing::TempFolder work;
    WriteFile(work / row.name, row.bytes);
    const Outcome outcome = testing::RunProgram(testing::OrbiskIn(work, {"--check", row.name}));
    EXPECT_EQ(outcome.status, 1);
    const std::string model = row.extension[0] == 'v' ? "Voyager 200" : "TI92+";
    EXPECT_EQ(outcome.out, row.name +
                               " : 1 problème\n  - sa signature « **TI89** » n'est pas "
                               "celle d'un fichier " +
                               model + " (." + row.extension + "), « **TI92P* »\n");
  }
}

// A file far larger than any calculator's memory that says it is a group is told so, and
// nothing reads or writes past its first 16 MiB.
TEST(OrbiskGroupsTest, AHugeGroupIsRefusedWithItsSize) {
  testing::TempFolder work;
  WriteFile(work / "huge.89g", WriteVariableFile(Cours(Signature::Ti89)));
  std::filesystem::resize_file(work / "huge.89g", std::uintmax_t{2} << 30);  // sparse
  const std::string told =
      "  - il fait 2147483648 octets, bien plus que la mémoire d'une calculatrice ; seuls ses "
      "16777216 premiers octets sont lus\n";
  struct Row {
    Names arguments;
    std::string out;
  };
  const Row rows[] = {
      {{"--check", "huge.89g"}, "huge.89g : 1 problème\n" + told},
      {{"--list", "huge.89g"}, ""},
      {{"--extract", "huge.89g"}, ""},
      {{"--group", "g.89g", "huge.89g"}, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments[0]);
    const Outcome outcome = testing::RunProgram(testing::OrbiskIn(work, row.arguments));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, row.out);
    if (row.out.empty()) {
      EXPECT_NE(outcome.err.find("bien plus que la mémoire"), std::string::npos) << outcome.err;
    }
    EXPECT_EQ(work.Entries(), Names{"huge.89g"});
  }
}

// The thumbnailer as a file manager runs it, with no display: a PNG of the size asked for,
// of a text or of a group's first text, replacing what was at its name; nothing otherwise.
TEST(OrbiskGroupsTest, DrawsAThumbnailWithoutADisplay) {
#ifndef ORBISK_TESTS_HAVE_QT_MODULE
  GTEST_SKIP() << "built without the Qt module";
#endif
  const std::string kSameFile = "maths.89t et maths.89t sont le même fichier.\n";
  const std::string kSameFileByLink = "maths.89t et link.89t sont le même fichier.\n";
  struct Row {
    Names arguments;
    int status;
    std::string err;
    int size;  // of the picture written, or 0 for none
  };
  const Row rows[] = {
      {{"--thumbnail", "cours.89g", "out.png", "128"}, 0, "", 128},
      {{"--thumbnail", "--", "maths.89t", "out.png", "256"}, 0, "", 256},
      {{"--thumbnail", "l1.89l", "out.png", "128"},
       1,
       "Impossible de lire le texte de l1.89l : ce n'est pas une variable texte (type 0x04).\n",
       0},
      // Never over its source, named as it is or through a link.
      {{"--thumbnail", "maths.89t", "maths.89t", "64"}, 1, kSameFile, 0},
      {{"--thumbnail", "maths.89t", "link.89t", "64"}, 1, kSameFileByLink, 0},
      {{"--thumbnail", "cours.89g", "out.png"},
       2,
       "orbisk : --thumbnail demande un FICHIER, l'image PNG à écrire et sa taille en pixels (de "
       "8 à 2048)\nEssayez « orbisk --help » pour plus d'informations.\n",
       0},
      {{"--thumbnail", "cours.89g", "out.png", "12x"},
       2,
       "orbisk : --thumbnail demande un FICHIER, l'image PNG à écrire et sa taille en pixels (de "
       "8 à 2048)\nEssayez « orbisk --help » pour plus d'informations.\n",
       0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments[1] + " " + row.arguments.back());
    testing::TempFolder work;
    WriteFile(work / "cours.89g", WriteVariableFile(Cours(Signature::Ti89)));
    VariableFile maths = Cours(Signature::Ti89);
    maths.group = false;
    maths.entries = {maths.entries[2]};
    WriteFile(work / "maths.89t", WriteVariableFile(maths));
    VariableFile list = maths;
    list.entries = {Cours(Signature::Ti89).entries[1]};
    WriteFile(work / "l1.89l", WriteVariableFile(list));
    WriteFile(work / "out.png", "what was there");
    std::filesystem::create_symlink("maths.89t", work / "link.89t");
    // As a desktop's thumbnail factory runs it: no runtime folder, a temporary folder of its
    // own, which it leaves as empty as it found it.
    std::filesystem::create_directory(work / "tmp");
    testing::Invocation invocation = testing::OrbiskIn(work, row.arguments);
    invocation.environment.push_back("TMPDIR=" + work / "tmp");
    const Outcome outcome = testing::RunProgram(invocation);
    EXPECT_TRUE(std::filesystem::is_empty(work / "tmp"));
    EXPECT_EQ(ReadFile(work / "maths.89t"), WriteVariableFile(maths));
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.err, row.err);
    const std::string png = ReadFile(work / "out.png");
    if (row.size == 0) {
      EXPECT_EQ(png, "what was there");
      continue;
    }
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 16), std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16));
    const auto number = [&](std::size_t at) {
      return static_cast<unsigned char>(png[at]) << 24 |
             static_cast<unsigned char>(png[at + 1]) << 16 |
             static_cast<unsigned char>(png[at + 2]) << 8 | static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_EQ(number(16), row.size);
    EXPECT_EQ(number(20), row.size);
  }
}

}  // namespace
}  // namespace orbisk
