// The real orbisk converting files of every kind: each target named for its type and model,
// what cannot move refused with its reason and nothing written, the text rules unchanged.
#include <gtest/gtest.h>

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

std::string FileOf(Signature signature, std::initializer_list<unsigned char> kinds) {
  VariableFile file;
  file.signature = signature;
  file.group = kinds.size() > 1;
  for (const unsigned char type : kinds) {
    VariableEntry& entry = file.entries.emplace_back();
    entry.name = "v" + std::to_string(file.entries.size());
    entry.type = type;
    entry.data = testing::SampleVariableData(type, 3);
  }
  return WriteVariableFile(file);
}

TEST(OrbiskTypesTest, EachFileGoesToItsTypesExtensionOrIsRefusedWithTheReason) {
  struct Row {
    Names arguments;
    std::string source;  // its name, and its bytes
    std::string bytes;
    int status;
    std::string err;
    Names after;  // the work folder's files afterwards
  };
  const std::string program = FileOf(Signature::Ti89, {0x12});
  const std::string list = FileOf(Signature::Ti92Plus, {0x04});
  const std::string group = FileOf(Signature::Ti92Plus, {0x0B, 0x13});
  const Row rows[] = {
      {{"prog.89p"}, "prog.89p", program, 0, "", {"prog.89p", "prog.v2p"}},
      {{"--to", "89", "list.9xl"}, "list.9xl", list, 0, "", {"list.89l", "list.9xl"}},
      {{"list.v2l"}, "list.v2l", list, 0, "", {"list.9xl", "list.v2l"}},
      {{"--to=v2", "cours.9xg"}, "cours.9xg", group, 0, "", {"cours.9xg", "cours.v2g"}},
      {{"jeu.89z"},
       "jeu.89z",
       FileOf(Signature::Ti89, {0x21}),
       1,
       "Impossible de convertir jeu.89z : c'est un programme en assembleur, écrit pour un seul "
       "modèle, qui ne fonctionnerait pas sur un autre.\n",
       {"jeu.89z"}},
      {{"--to", "92p", "jeux.89g"},
       "jeux.89g",
       FileOf(Signature::Ti89, {0x12, 0x21}),
       1,
       "Impossible de convertir jeux.89g : le groupe contient un programme en assembleur, écrit "
       "pour un seul modèle, qui ne fonctionnerait pas sur un autre.\n",
       {"jeux.89g"}},
      {{"sauve.89g"},
       "sauve.89g",
       FileOf(Signature::Ti89, {0x1D}),
       1,
       "Impossible de convertir sauve.89g : c'est une sauvegarde, l'image de la mémoire d'une "
       "calculatrice liée à la version de son système.\n",
       {"sauve.89g"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments.back());
    testing::TempFolder work;
    WriteFile(work / row.source, row.bytes);
    const Outcome outcome = testing::RunProgram(testing::OrbiskIn(work, row.arguments));
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.err, row.err);
    EXPECT_EQ(work.Entries(), row.after);
    EXPECT_EQ(ReadFile(work / row.source), row.bytes);
    for (const std::string& made : row.after) {
      if (made == row.source) continue;
      const std::string bytes = ReadFile(work / made);
      ASSERT_EQ(bytes.size(), row.bytes.size());
      EXPECT_EQ(bytes.substr(49), row.bytes.substr(49));  // only the header changes
      const ParsedFile parsed = ParseVariableFile(bytes, bytes.size());
      EXPECT_TRUE(parsed.problems.empty());
    }
  }
}

}  // namespace
}  // namespace orbisk
