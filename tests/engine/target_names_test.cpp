// Target names: the extension replaced after the first "." of the file-name part.
#include "target_names.hpp"

#include <gtest/gtest.h>

#include "variable_file.hpp"

namespace orbisk {
namespace {

struct NameCase {
  const char* source;
  const char* v200;
  const char* ti92plus;
};

void PrintTo(const NameCase& c, std::ostream* out) { *out << '"' << c.source << '"'; }

class TargetNamesTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(TargetNamesTest, ReplacesTheExtension) {
  const NameCase& c = GetParam();
  EXPECT_EQ(ToV200Name(c.source), c.v200);
  EXPECT_EQ(ToTi92PlusName(c.source), c.ti92plus);
}

INSTANTIATE_TEST_SUITE_P(
    Names, TargetNamesTest,
    ::testing::Values(
        NameCase{"prog.9xt", "prog.v2t", "prog.9xt"}, NameCase{"prog.v2t", "prog.v2t", "prog.9xt"},
        NameCase{"/home/calc/prog.9xt", "/home/calc/prog.v2t", "/home/calc/prog.9xt"},
        // Dots in folder names never count.
        NameCase{"/home/j.doe/prog.9xt", "/home/j.doe/prog.v2t", "/home/j.doe/prog.9xt"},
        NameCase{"calc/v1.2/prog.9xt", "calc/v1.2/prog.v2t", "calc/v1.2/prog.9xt"},
        NameCase{"calc/v1.2/prog", "calc/v1.2/prog.v2t", "calc/v1.2/prog.9xt"},
        // Within the file name the first dot counts.
        NameCase{"notes.old.9xt", "notes.v2t", "notes.9xt"},
        NameCase{"prog.", "prog.v2t", "prog.9xt"}, NameCase{"PROG.9XT", "PROG.v2t", "PROG.9xt"},
        NameCase{".hidden", ".v2t", ".9xt"},
        // A name without a dot gains one; only the empty name gives the bare extension.
        NameCase{"prog", "prog.v2t", "prog.9xt"}, NameCase{"", "v2t", "9xt"},
        NameCase{"my files/prog 1.9xt", "my files/prog 1.v2t", "my files/prog 1.9xt"}));

TEST(FileNameHasDotTest, LooksAtTheFileNamePartOnly) {
  EXPECT_TRUE(FileNameHasDot("prog.9xt"));
  EXPECT_TRUE(FileNameHasDot("a.b/prog."));
  EXPECT_FALSE(FileNameHasDot("a.b/prog"));
  EXPECT_FALSE(FileNameHasDot("a.b/"));
  EXPECT_FALSE(FileNameHasDot(""));
}

}  // namespace
}  // namespace orbisk

namespace orbisk {
namespace {

// The names a group's variables are extracted to: in the chosen folder whatever the
// variable's name says, in UTF-8, with their type's extension for the model.
TEST(ExtractedNamesTest, NamesStayInTheirFolderAndNeverCollide) {
  struct Row {
    const char* what;
    std::vector<std::pair<std::string, std::string>> variables;  // folder, name (codes)
    std::string folder;
    std::vector<std::string> names;
  };
  const Row rows[] = {
      {"plain names, beside the group",
       {{"main", "notes"}, {"cours", "maths"}},
       "",
       {"notes.v2t", "maths.v2t"}},
      {"a folder without its slash", {{"main", "notes"}}, "out", {"out/notes.v2t"}},
      {"a folder with its slash", {{"main", "notes"}}, "out/", {"out/notes.v2t"}},
      {"one name in two folders",
       {{"main", "notes"}, {"cours", "notes"}, {"cours", "x"}},
       "",
       {"main-notes.v2t", "cours-notes.v2t", "x.v2t"}},
      // Codes without a drawing show as their Control Picture, never as a control character.
      {"a slash and control codes",
       {{"main", "../a/b"},
        {"main",
         "c\x01"
         "d"},
        {"main", "e\x0D"}},
       "g",
       {"g/.._a_b.v2t", "g/c␁d.v2t", "g/e␍.v2t"}},
      {"an empty name", {{"main", ""}}, "", {"_.v2t"}},
      {"a Greek letter, in UTF-8",
       {{"main",
         "\x88"
         "1"}},
       "",
       {"θ1.v2t"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    VariableFile file;
    for (const auto& [folder, name] : row.variables) {
      VariableEntry& entry = file.entries.emplace_back();
      entry.folder = folder;
      entry.name = name;
    }
    EXPECT_EQ(ExtractedNames(file, Model::Voyager200, row.folder), row.names);
  }
}

}  // namespace
}  // namespace orbisk
