// What an editor saves: the file it opened with only the variable's name and text changed,
// or made for another model; and the characters a palette finds for what a person types.
#include <gtest/gtest.h>

#include "character_search.hpp"
#include "edited_file.hpp"
#include "file_check.hpp"
#include "program_variable.hpp"
#include "recovery_copy.hpp"
#include "variable_types.hpp"

namespace orbisk {
namespace {

VariableFile Opened(Model model, unsigned char type) {
  VariableFile file = NewTextFile(model, "cours", "notes", CalculatorText::FromCodes(" a"),
                                  "23/02/03, 14:09", type);
  file.comment += "ABCDEFGHI";    // the maker's bytes past those that tell the model
  file.entries[0].attribute = 2;  // archived
  file.entries[0].reserved = 0x1234;
  file.entries[0].lead = 0x01020304;
  return file;
}

// Saving keeps every byte the text does not decide, for each model and type; for another
// model only the signature and the comment's first 31 bytes change.
TEST(EditedFileTest, KeepsTheHeaderAndChangesOnlyWhatTheTextAndModelDecide) {
  for (const Model from : kModels) {
    for (const unsigned char type : {types::kText, types::kProgram}) {
      for (const Model to : kModels) {
        SCOPED_TRACE(std::string(ModelName(from)) + " -> " + ModelName(to) + " type " +
                     std::to_string(type));
        const VariableFile base = Opened(from, type);
        const CalculatorText text = type == types::kText
                                        ? CalculatorText::FromCodes(" Bonsoir\rCDisp 1", 3)
                                        : CalculatorText::FromPlainCodes("()\rDisp 1");
        const VariableFile saved =
            ForModel(WithText(base, "maths", "cours2", text), from, to, "08/12/26, 21:00");
        ASSERT_EQ(saved.entries.size(), 1u);
        const VariableEntry& entry = saved.entries[0];
        EXPECT_EQ(entry.folder, "maths");
        EXPECT_EQ(saved.folder, "maths");
        EXPECT_EQ(entry.name, "cours2");
        EXPECT_EQ(entry.type, type);
        EXPECT_EQ(entry.attribute, 2);
        EXPECT_EQ(entry.reserved, 0x1234);
        EXPECT_EQ(entry.lead, 0x01020304u);
        EXPECT_EQ(entry.data, VariableDataOfText(type, text));
        EXPECT_EQ(entry.data.size(), VariableSizeOfText(type, text));
        EXPECT_EQ(saved.signature, SignatureFor(to));
        EXPECT_EQ(saved.comment.substr(0, kCommentTextLength),
                  from == to ? base.comment.substr(0, kCommentTextLength)
                             : CommentText(to, "08/12/26, 21:00"));
        EXPECT_EQ(saved.comment.substr(kCommentTextLength), "ABCDEFGHI");
        // What is written reads back as the same text, with nothing wrong.
        const std::string bytes = WriteVariableFile(saved);
        const FileReport report = CheckVariableFile(
            bytes, bytes.size(),
            std::string("x.") + ExtensionFor(to, {FileContent::Kind::Variable, type}));
        EXPECT_TRUE(report.problems.empty());
        ASSERT_TRUE(report.text);
        EXPECT_EQ(report.text->text, text);
        EXPECT_EQ(report.text->model, to);
      }
    }
  }
}

// A recovery copy gives back the model, the file's name (any bytes but NUL) and the file;
// anything else is no copy.
TEST(RecoveryCopyTest, ReadsBackWhatWasWrittenAndNothingElse) {
  for (const Model model : kModels) {
    for (const std::string& path : {std::string(), std::string("/tmp/caf\xe9 notes\n.9xt")}) {
      RecoveryCopy copy;
      copy.model = model;
      copy.path = path;
      copy.file = Opened(model, types::kText);
      const std::optional<RecoveryCopy> read = ReadRecoveryCopy(WriteRecoveryCopy(copy));
      ASSERT_TRUE(read);
      EXPECT_EQ(read->model, model);
      EXPECT_EQ(read->path, path);
      EXPECT_EQ(read->file, copy.file);
    }
  }
  RecoveryCopy copy;
  copy.file = Opened(Model::Ti89, types::kText);
  const std::string bytes = WriteRecoveryCopy(copy);
  for (const std::string& spoilt :
       {std::string(), bytes.substr(0, bytes.size() - 1), "x" + bytes.substr(1),
        bytes.substr(0, 18) + "abc\n" + bytes.substr(22)}) {
    EXPECT_FALSE(ReadRecoveryCopy(spoilt)) << spoilt.size();
  }
}

TEST(CharacterSearchTest, FindsByNameInEitherLanguageWithOrWithoutAccentsOrByLooks) {
  const std::pair<const char*, unsigned char> rows[] = {
      {"theta", 0x88},     {"thêta", 0x88},
      {"THETA", 0x88},     {"integrale", 0xBD},
      {"intégrale", 0xBD}, {"integral", 0xBD},
      {"<=", 0x9C},        {">=", 0x9E},
      {"!=", 0x9D},        {"->", 0x16},
      {"≤", 0x9C},         {"racine", 0xA8},
      {"sqrt", 0xA8},      {"pi", 0x8C},
      {"infini", 0xBE},    {"infinity", 0xBE},
      {"degre", 0xB0},     {"e accent aigu", 0xE9},
      {"+-", 0xB1},        {"store", 0x16},
      {"e acute", 0xE9},   {"capital c cedilla", 0xC7},
      {"u umlaut", 0xFC},  {"comma", ','},
      {"backslash", '\\'}, {"question mark", '?'},
  };
  for (const auto& [query, code] : rows) {
    const std::vector<unsigned char> found = FindCharacters(query);
    ASSERT_FALSE(found.empty()) << query;
    EXPECT_EQ(found.front(), code) << query << " found first " << +found.front();
  }
  // A look is found whole: "<" alone is the sign itself, not ≤.
  EXPECT_EQ(FindCharacters("<").front(), '<');
  EXPECT_TRUE(FindCharacters("").empty());
  EXPECT_TRUE(FindCharacters("zzzz").empty());
}

TEST(CharacterSearchTest, EveryTextCharacterHasAGroupAndTheGroupsAreTheExpectedOnes) {
  const std::pair<unsigned char, CharacterGroup> rows[] = {
      {0x88, CharacterGroup::Greek},       {0x9C, CharacterGroup::Mathematics},
      {0xBD, CharacterGroup::Mathematics}, {0xD7, CharacterGroup::Mathematics},
      {0x16, CharacterGroup::Arrows},      {0xE9, CharacterGroup::AccentedLetters},
      {0xA9, CharacterGroup::Symbols},     {'!', CharacterGroup::Symbols},
      {'a', CharacterGroup::Others},       {0x09, CharacterGroup::Others}};
  for (const auto& [code, group] : rows) EXPECT_EQ(GroupOfCharacter(code), group) << +code;
  int characters = 0;
  for (unsigned c = 0; c < 256; ++c) characters += IsTextCharacter(static_cast<unsigned char>(c));
  EXPECT_EQ(characters, 254);  // all but 00 and 0D
}

}  // namespace
}  // namespace orbisk
