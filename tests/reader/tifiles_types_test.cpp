// The variable types against libtifiles: our table names every type as the library does,
// every file of a movable type the library writes converts to each other model as the same
// variable, and what cannot move (machine code, Flash files, backups) is refused unwritten.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "converter.hpp"
#include "files.hpp"
#include "fixed_clock.hpp"
#include "library_models.hpp"
#include "posix_file_system.hpp"
#include "scripted_interaction.hpp"
#include "temp_folder.hpp"
#include "tifiles_io.h"
#include "variable_types.hpp"

namespace orbisk {
namespace {

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The library's extension for a type, or nothing when it has none of its own ("89?").
std::string LibraryExtension(TifilesIoModel model, unsigned type, bool group) {
  const char* extension = tifiles_io_extension(model, type, group);
  if (extension == nullptr || std::strchr(extension, '?') != nullptr) return {};
  return Lowered(extension);
}

class TifilesTypesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tifiles_io_init(); }
  static void TearDownTestSuite() { tifiles_io_exit(); }

  Result<std::string> ConvertBeside(Model model, const std::string& source) {
    Converter converter(files_, user_, clock_, {'/', ':'});
    return converter.ConvertBeside(model, source);
  }

  PosixFileSystem files_;
  testing::ScriptedInteraction user_;
  testing::FixedClock clock_{2003, 2, 23, 14, 9};
};

TEST_F(TifilesTypesTest, EveryTypeIsNamedAsTheLibraryNamesIt) {
  for (const ModelRow& row : kModelRows) {
    for (unsigned code = 0; code < 256; ++code) {
      SCOPED_TRACE(std::string(ModelName(row.model)) + ", type " + std::to_string(code));
      const std::string library = LibraryExtension(row.library, code, false);
      EXPECT_EQ(FindType(static_cast<unsigned char>(code)) != nullptr, !library.empty());
      if (library.empty()) continue;
      const FileContent content{FileContent::Kind::Variable, static_cast<unsigned char>(code)};
      EXPECT_EQ(ExtensionFor(row.model, content), library);
      Model named = Model::Ti89;
      ASSERT_TRUE(ModelOfAnyExtension(library, named));
      EXPECT_EQ(named, row.model);
    }
    EXPECT_EQ(ExtensionFor(row.model, {FileContent::Kind::Group, types::kText}),
              LibraryExtension(row.library, 0, true));
  }
}

// A variable of each movable type, written by the library for each model, converted to each
// other: the target is named for its type and model, and reads as the same variable.
TEST_F(TifilesTypesTest, EveryMovableTypeConvertsToEveryModelAsTheSameVariable) {
  for (const VariableType* type = TypesBegin(); type != TypesEnd(); ++type) {
    if (type->movement != Movement::Moves || type->code == types::kBackup) continue;
    for (const ModelRow& from : kModelRows) {
      testing::TempFolder folder;
      const auto variable = std::make_unique<TifilesIoVariable>();
      std::strcpy(variable->folder, "cours");
      std::strcpy(variable->name, "var1");
      variable->type = type->code;
      // A text or a program ends as it must, or it is damaged.
      const std::string data = testing::SampleVariableData(type->code, 40 + type->code);
      variable->size = data.size() + 2;
      variable->data[0] = 0;
      variable->data[1] = static_cast<std::uint8_t>(data.size());
      std::memcpy(variable->data + 2, data.data(), data.size());
      const std::string source =
          folder / ("var1." + LibraryExtension(from.library, type->code, false));
      ASSERT_EQ(tifiles_io_write(source.c_str(), from.library, variable.get(), 1), 0);

      for (const ModelRow& to : kModelRows) {
        if (to.model == from.model) continue;
        SCOPED_TRACE(source + " to " + ModelName(to.model));
        const Result<std::string> target = ConvertBeside(to.model, source);
        ASSERT_TRUE(target) << static_cast<int>(target.error().kind);
        EXPECT_EQ(*target, folder / ("var1." + LibraryExtension(to.library, type->code, false)));

        const auto read = std::make_unique<TifilesIoFile>();
        tifiles_io_read_all(target->c_str(), read.get());
        ASSERT_EQ(read->error, 0);
        EXPECT_EQ(read->model, to.model == Model::Ti89 ? TIFILES_IO_TI89 : TIFILES_IO_TI92PLUS);
        EXPECT_TRUE(read->checksums_verified);
        ASSERT_EQ(read->count, 1u);
        EXPECT_STREQ(read->variables[0].folder, "cours");
        EXPECT_STREQ(read->variables[0].name, "var1");
        EXPECT_EQ(read->variables[0].type, type->code);
        ASSERT_EQ(read->variables[0].size, variable->size);
        EXPECT_EQ(std::memcmp(read->variables[0].data, variable->data, variable->size), 0);
      }
    }
  }
  for (const auto& shown : user_.shown) ADD_FAILURE() << shown.text;
}

// What the library writes and cannot move is refused, and nothing is written beside it.
TEST_F(TifilesTypesTest, WhatCannotMoveIsRefusedUnwritten) {
  const std::uint8_t bytes[64] = {0x4E, 0x75};
  struct Row {
    const char* name;
    unsigned type;  // what the refusal names
    bool inGroup;
    std::function<int(const std::string&, TifilesIoModel)> write;
  };
  const auto single = [](unsigned type) {
    return [type](const std::string& path, TifilesIoModel model) {
      TifilesIoVariable variable{};
      std::strcpy(variable.folder, "main");
      std::strcpy(variable.name, "jeu");
      variable.type = type;
      variable.size = 4;
      variable.data[1] = 2;
      return tifiles_io_write(path.c_str(), model, &variable, 1);
    };
  };
  const Row rows[] = {
      {"jeu.z", types::kAssembly, false, single(types::kAssembly)},
      {"jeu.idl", types::kIdentityList, false, single(types::kIdentityList)},
      {"groupe.g", types::kAssembly, true,
       [](const std::string& path, TifilesIoModel model) {
         TifilesIoVariable variables[3] = {};
         const unsigned kinds[3] = {types::kText, types::kAssembly, types::kProgram};
         for (int i = 0; i < 3; ++i) {
           std::strcpy(variables[i].folder, "main");
           std::snprintf(variables[i].name, sizeof variables[i].name, "v%d", i);
           variables[i].type = kinds[i];
           variables[i].size = 6;
           variables[i].data[1] = 4;
         }
         return tifiles_io_write(path.c_str(), model, variables, 3);
       }},
      {"appli.k", types::kApplication, false,
       [&](const std::string& path, TifilesIoModel model) {
         return tifiles_io_write_flash(path.c_str(), model, types::kApplication, bytes,
                                       sizeof bytes);
       }},
      {"systeme.u", types::kOperatingSystem, false,
       [&](const std::string& path, TifilesIoModel model) {
         return tifiles_io_write_flash(path.c_str(), model, types::kOperatingSystem, bytes,
                                       sizeof bytes);
       }},
      {"sauve.g", types::kBackup, false,
       [&](const std::string& path, TifilesIoModel model) {
         return tifiles_io_write_backup(path.c_str(), model, bytes, sizeof bytes);
       }},
  };
  for (const Row& row : rows) {
    for (const ModelRow& from : kModelRows) {
      std::string name = row.name;
      name.insert(name.find('.') + 1, from.model == Model::Ti89       ? "89"
                                      : from.model == Model::Ti92Plus ? "9x"
                                                                      : "v2");
      SCOPED_TRACE(name);
      testing::TempFolder folder;
      const std::string source = folder / name;
      ASSERT_EQ(row.write(source, from.library), 0);
      // The library takes its own file for what the row says it is.
      EXPECT_EQ(tifiles_io_is_flash(source.c_str()) != 0,
                row.type == types::kApplication || row.type == types::kOperatingSystem);
      // (It tells a backup by its name alone, which a group shares.)
      if (row.type == types::kBackup) {
        EXPECT_TRUE(tifiles_io_is_backup(source.c_str()));
      }
      for (const ModelRow& to : kModelRows) {
        const Result<std::string> target = ConvertBeside(to.model, source);
        ASSERT_FALSE(target);
        EXPECT_EQ(target.error().kind, ErrorKind::CannotMove);
        EXPECT_EQ(target.error().type, row.type);
        EXPECT_EQ(target.error().inGroup, row.inGroup);
        // The main window's explicit target is refused the same way.
        Converter converter(files_, user_, clock_, {'/', ':'});
        EXPECT_FALSE(converter.Convert(to.model, source, folder / "autre.v2t"));
      }
      EXPECT_EQ(folder.Entries(), std::vector<std::string>{name});
    }
  }
}

}  // namespace
}  // namespace orbisk
