// What a file's first bytes say it holds, and the name and movement that follow from it.
#include "variable_types.hpp"

#include <gtest/gtest.h>

#include "target_names.hpp"
#include "variable_file.hpp"

namespace orbisk {
namespace {

using Kind = FileContent::Kind;

std::string SingleFile(unsigned char type) {
  VariableFile file;
  VariableEntry& entry = file.entries.emplace_back();
  entry.name = "prog";
  entry.type = type;
  entry.data = "\x01\x02";
  return WriteVariableFile(file);
}

std::string GroupFile(std::initializer_list<unsigned char> kinds) {
  VariableFile file;
  file.group = true;
  for (const unsigned char type : kinds) {
    VariableEntry& entry = file.entries.emplace_back();
    entry.name = "v" + std::to_string(file.entries.size());
    entry.type = type;
  }
  return WriteVariableFile(file);
}

std::string FlashFile(unsigned char dataType) {
  std::string bytes = "**TIFL**" + std::string(0x50, '\0');
  bytes[0x31] = static_cast<char>(dataType);
  return bytes;
}

std::optional<FileContent> Content(const std::string& bytes) {
  return ContentOf(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

TEST(ContentOfTest, TellsVariablesGroupsAndFlashFilesApart) {
  struct Row {
    const char* what;
    std::string bytes;
    std::optional<Kind> kind;  // nothing: named as a text, converted byte for byte
    unsigned char type;
    Movement movement;
  };
  std::string groupCutShort = GroupFile({0x0B, 0x0B, 0x21});
  groupCutShort.resize(layout::kFirstEntry + layout::kEntrySize * 2);  // the assembly unread
  std::string lyingCount = SingleFile(0x12);
  lyingCount[layout::kEntryCount] = 5;  // a damaged single file, not a group
  const Row rows[] = {
      {"program", SingleFile(0x12), Kind::Variable, 0x12, Movement::Moves},
      {"text", SingleFile(0x0B), Kind::Variable, 0x0B, Movement::Moves},
      {"assembly", SingleFile(0x21), Kind::Variable, 0x21, Movement::ModelSpecific},
      {"backup", SingleFile(0x1D), Kind::Variable, 0x1D, Movement::Never},
      {"a code no type has", SingleFile(0x05), Kind::Variable, 0x05, Movement::Moves},
      {"a count that lies", lyingCount, Kind::Variable, 0x12, Movement::Moves},
      {"group of texts", GroupFile({0x0B, 0x12, 0x13}), Kind::Group, 0x0B, Movement::Moves},
      {"group with assembly", GroupFile({0x0B, 0x21, 0x12}), Kind::Group, 0x21,
       Movement::ModelSpecific},
      {"group with a backup after assembly", GroupFile({0x21, 0x1D}), Kind::Group, 0x1D,
       Movement::Never},
      {"group cut short", groupCutShort, Kind::Group, 0x0B, Movement::Moves},
      {"application", FlashFile(0x24), Kind::Flash, 0x24, Movement::Never},
      {"system", FlashFile(0x23), Kind::Flash, 0x23, Movement::Never},
      {"Flash file of an unknown kind", FlashFile(0x77), Kind::Flash, 0x24, Movement::Never},
      {"no signature", "**TI93**" + SingleFile(0x21).substr(8), std::nullopt, 0, Movement::Moves},
      {"too short for a type", SingleFile(0x21).substr(0, layout::kType), std::nullopt, 0,
       Movement::Moves},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::optional<FileContent> content = Content(row.bytes);
    ASSERT_EQ(content.has_value(), row.kind.has_value());
    if (!content) continue;
    EXPECT_EQ(content->kind, *row.kind);
    EXPECT_EQ(content->type, row.type);
    EXPECT_EQ(MovementOf(*content), row.movement);
  }
}

TEST(ContentOfTest, NamesTheTargetForWhatTheFileHolds) {
  struct Row {
    const char* source;
    Model model;
    FileContent content;
    const char* target;
  };
  const Row rows[] = {
      {"prog.89p", Model::Voyager200, {Kind::Variable, 0x12}, "prog.v2p"},
      {"list.9xl", Model::Ti89, {Kind::Variable, 0x04}, "list.89l"},
      {"cours.V2G", Model::Ti92Plus, {Kind::Group, 0x0B}, "cours.9xg"},
      // The content counts, not the source's extension.
      {"notes.89p", Model::Voyager200, {Kind::Variable, 0x0B}, "notes.v2t"},
      {"a.b/x.old.9xt", Model::Ti89, {Kind::Variable, 0x13}, "a.b/x.89f"},
      {"odd.9xt", Model::Voyager200, {Kind::Variable, 0x05}, "odd.v2t"},
      {"horloge", Model::Ti92Plus, {Kind::Variable, 0x18}, "horloge.9xclk"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(TargetName(row.source, row.model, Purpose::Conversion, row.content), row.target)
        << row.source;
  }
  EXPECT_EQ(TargetName("prog.89p", Model::Ti89, Purpose::TextExport, {Kind::Variable, 0x12}),
            "prog.txt");
}

}  // namespace
}  // namespace orbisk
