// The options and names of the orbisk command.
#include "command_line.hpp"

#include <gtest/gtest.h>

#include "cli_texts.hpp"
#include "options.hpp"
#include "variable_types.hpp"

namespace orbisk {
namespace {

using Action = CommandLine::Action;
using Names = std::vector<std::string>;

TEST(CommandLineTest, NoArgumentsOpensTheWindow) {
  EXPECT_EQ(ParseCommandLine({}).action, Action::OpenWindow);
  EXPECT_EQ(ParseCommandLine({"--"}).action, Action::OpenWindow);
}

TEST(CommandLineTest, NamesAreKeptAsGivenInOrder) {
  const CommandLine line = ParseCommandLine({"a.9xt", "my prog.9xt", "\"q\"", "-", "b.v2t"});
  EXPECT_EQ(line.action, Action::Convert);
  EXPECT_FALSE(line.assumeYes);
  EXPECT_EQ(line.names, (Names{"a.9xt", "my prog.9xt", "\"q\"", "-", "b.v2t"}));
}

TEST(CommandLineTest, YesMayStandAnywhereAndInAGroup) {
  EXPECT_TRUE(ParseCommandLine({"-y", "a"}).assumeYes);
  EXPECT_TRUE(ParseCommandLine({"a", "--yes"}).assumeYes);
  const CommandLine grouped = ParseCommandLine({"-yy", "a"});
  EXPECT_TRUE(grouped.assumeYes);
  EXPECT_EQ(grouped.names, Names{"a"});
}

TEST(CommandLineTest, DoubleDashMakesTheRestNames) {
  const CommandLine line = ParseCommandLine({"-y", "--", "-h", "--yes", "--"});
  EXPECT_EQ(line.action, Action::Convert);
  EXPECT_EQ(line.names, (Names{"-h", "--yes", "--"}));
}

TEST(CommandLineTest, HelpWinsOverVersionAndNames) {
  EXPECT_EQ(ParseCommandLine({"a", "-h"}).action, Action::ShowHelp);
  EXPECT_EQ(ParseCommandLine({"--version", "--help"}).action, Action::ShowHelp);
  EXPECT_EQ(ParseCommandLine({"-V", "a"}).action, Action::ShowVersion);
  EXPECT_EQ(ParseCommandLine({"-yV"}).action, Action::ShowVersion);
}

TEST(CommandLineTest, UnknownOptionsAreUsageErrors) {
  const CommandLine longOption = ParseCommandLine({"a", "--force"});
  EXPECT_EQ(longOption.action, Action::UsageError);
  EXPECT_EQ(longOption.usageError, "orbisk : option inconnue « --force »");
  const CommandLine shortOption = ParseCommandLine({"-yx"});
  EXPECT_EQ(shortOption.action, Action::UsageError);
  EXPECT_EQ(shortOption.usageError, "orbisk : option inconnue « -x »");
}

}  // namespace
}  // namespace orbisk

namespace orbisk {
namespace {

// The text modes, --to and --name: what each command line asks for, or why it is wrong.
TEST(CommandLineTest, ModesAndTheirOptions) {
  struct Row {
    std::vector<std::string> arguments;
    Action action;
    std::string usageError;  // when action is UsageError
  };
  const Row rows[] = {
      {{"--show", "a.9xt", "b.89t"}, Action::Show, ""},
      {{"a.9xt", "--to-text"}, Action::ToText, ""},
      {{"--from-text", "--to", "89t", "--name", "Notes", "a.txt"}, Action::FromText, ""},
      {{"--check", "a", "--", "--show"}, Action::Check, ""},
      {{"--view", "a.v2t"}, Action::View, ""},
      // The desktop launcher's command with no file: the editor, on a new text.
      {{"--view", "--"}, Action::New, ""},
      {{"--new"}, Action::New, ""},
      {{"--new", "--to", "89t"}, Action::New, ""},
      {{"--new", "a.v2t"},
       Action::UsageError,
       "orbisk : l'option « --new » ne prend pas de nom de fichier"},
      {{"--to=9xt", "a.v2t"}, Action::Convert, ""},
      {{"--show", "--show", "a"}, Action::Show, ""},
      {{"--show"},
       Action::UsageError,
       "orbisk : l'option « --show » demande au moins un nom de fichier"},
      {{"--show", "--check", "a"},
       Action::UsageError,
       "orbisk : les options « --show » et « --check » s'excluent"},
      {{"--to", "txt", "a"},
       Action::UsageError,
       "orbisk : modèle inconnu « txt » pour --to (v200, 92p ou 89, ou une extension : v2t, "
       "9xt, 89p…)"},
      {{"--to", "v2", "a"}, Action::Convert, ""},
      {{"--to", "v2b", "a"},
       Action::UsageError,
       "orbisk : modèle inconnu « v2b » pour --to (v200, 92p ou 89, ou une extension : v2t, "
       "9xt, 89p…)"},
      {{"a", "--to"}, Action::UsageError, "orbisk : l'option « --to » demande une valeur"},
      {{"--to", "89t"},
       Action::UsageError,
       "orbisk : l'option « --to » demande au moins un nom de fichier"},
      {{"--show", "--to", "89t", "a"},
       Action::UsageError,
       "orbisk : l'option « --to » ne va pas avec « --show »"},
      {{"--name", "x", "a"},
       Action::UsageError,
       "orbisk : l'option « --name » ne va qu'avec « --from-text »"},
      // The link modes, which orbisk hands over to orbisk-link.
      {{"--send", "--cable", "grey", "--port", "2", "a.89p"}, Action::Send, ""},
      {{"--receive", "--into", "d", "main\\a"}, Action::Receive, ""},
      {{"--receive", "--all", "--model", "v200"}, Action::Receive, ""},
      {{"--calc"}, Action::ListCalculator, ""},
      {{"--receive"},
       Action::UsageError,
       "orbisk : l'option « --receive » demande au moins une variable DOSSIER\\NOM, ou --all "
       "pour toutes"},
      {{"--receive", "--all", "main\\a"},
       Action::UsageError,
       "orbisk : l'option « --all » ne prend pas de nom de fichier"},
      {{"--calc", "a"},
       Action::UsageError,
       "orbisk : l'option « --calc » ne prend pas de nom de fichier"},
      {{"--calc", "--port", "5"},
       Action::UsageError,
       "orbisk : port inconnu « 5 » pour --port (de 1 à 4)"},
      {{"--calc", "--model", "84"},
       Action::UsageError,
       "orbisk : modèle inconnu « 84 » pour --model (89, 89t, 92p ou v200)"},
      {{"--show", "--cable", "grey", "a"},
       Action::UsageError,
       "orbisk : l'option « --cable » ne va qu'avec « --send », « --receive » ou « --calc »"},
      {{"--from-text", "--name=1abc", "a"},
       Action::UsageError,
       "orbisk : « 1abc » ne peut pas nommer une variable : au plus 8 caractères, une lettre "
       "d'abord, puis des lettres, des chiffres ou « _ »"},
      {{"--from-text", "--name", "ninechars", "a"},
       Action::UsageError,
       "orbisk : « ninechars » ne peut pas nommer une variable : au plus 8 caractères, une "
       "lettre d'abord, puis des lettres, des chiffres ou « _ »"},
      {{"--repair", "--no-backup", "a"}, Action::Repair, ""},
      {{"--fix-signature", "--repair", "a"}, Action::Repair, ""},
      {{"--characters"}, Action::ShowCharacters, ""},
      {{"--from-text", "--encoding=CP1252", "a"}, Action::FromText, ""},
      {{"--characters", "a"},
       Action::UsageError,
       "orbisk : l'option « --characters » ne prend pas de nom de fichier"},
      {{"--no-backup", "a"},
       Action::UsageError,
       "orbisk : l'option « --no-backup » ne va qu'avec « --repair »"},
      {{"--show", "--fix-signature", "a"},
       Action::UsageError,
       "orbisk : l'option « --fix-signature » ne va qu'avec « --repair »"},
      {{"--from-text", "--encoding", "ebcdic", "a"},
       Action::UsageError,
       "orbisk : encodage inconnu « ebcdic » pour --encoding (latin1 ou cp1252)"},
      {{"--encoding", "latin1", "a"},
       Action::UsageError,
       "orbisk : l'option « --encoding » ne va qu'avec « --from-text »"},
      {{"--repair", "--to", "89t", "a"},
       Action::UsageError,
       "orbisk : l'option « --to » ne va pas avec « --repair »"},
  };
  for (const Row& row : rows) {
    std::string shown;
    for (const std::string& argument : row.arguments) shown += argument + " ";
    SCOPED_TRACE(shown);
    const CommandLine line = ParseCommandLine(row.arguments);
    EXPECT_EQ(line.action, row.action);
    EXPECT_EQ(line.usageError, row.usageError);
  }
  EXPECT_EQ(ParseCommandLine({"--from-text", "--encoding", "latin1", "a"}).encoding,
            TextEncoding::Latin1);
  const CommandLine repair = ParseCommandLine({"--repair", "--no-backup", "--fix-signature", "a"});
  EXPECT_FALSE(repair.keepBackup);
  EXPECT_TRUE(repair.fixSignature);
  const CommandLine import =
      ParseCommandLine({"--from-text", "--to", "89T", "--name", "Notes", "a"});
  EXPECT_EQ(import.model, Model::Ti89);
  EXPECT_EQ(import.variableName, "notes");
  EXPECT_EQ(import.names, Names{"a"});
  EXPECT_EQ(ParseCommandLine({"--check", "a", "--", "--show"}).names, (Names{"a", "--show"}));
}

// --to takes a model by its name, by the start of its extensions, or by any type's extension.
TEST(CommandLineTest, ToTakesAModelInEveryFormUsersWriteIt) {
  const std::pair<const char*, Model> rows[] = {
      {"v200", Model::Voyager200}, {"V2", Model::Voyager200},  {"v2t", Model::Voyager200},
      {"v2g", Model::Voyager200},  {"92p", Model::Ti92Plus},   {"9x", Model::Ti92Plus},
      {"9XP", Model::Ti92Plus},    {"9xclk", Model::Ti92Plus}, {"89", Model::Ti89},
      {"89f", Model::Ti89},        {"89z", Model::Ti89},
  };
  for (const auto& [word, model] : rows) {
    const CommandLine line = ParseCommandLine({"--to", word, "a"});
    EXPECT_EQ(line.action, Action::Convert) << word;
    EXPECT_EQ(line.model, model) << word;
  }
  for (const char* word : {"92", "v2tt", "89?", "9xb", "ti89", ""}) {
    EXPECT_EQ(ParseCommandLine({"--to", word, "a"}).action, Action::UsageError) << word;
  }
}

// Every option of the table: --help lists it, the parser knows it, and one that goes only
// with some modes is refused, by name, with no mode or the wrong one.
TEST(CommandLineTest, EveryOptionOfTheTableIsListedReadAndKeptToItsModes) {
  const std::string help = texts::Help();
  for (const OptionSpec& option : Options()) {
    SCOPED_TRACE(option.name);
    EXPECT_NE(help.find(std::string(" ") + option.name + " "), std::string::npos);
    std::vector<std::string> arguments{option.name};
    if (option.takesValue) {
      const char* value = option.id == OptionId::To          ? "89"
                          : option.id == OptionId::Group     ? "g.89g"
                          : option.id == OptionId::Type      ? "prgm"
                          : option.id == OptionId::Encoding  ? "latin1"
                          : option.id == OptionId::Port      ? "2"
                          : option.id == OptionId::CalcModel ? "89t"
                                                             : "x";
      arguments.push_back(value);
    }
    // --all receives everything: it takes no name.
    if (option.id != OptionId::All) arguments.push_back("a");
    if (option.id == OptionId::EndOfOptions) continue;
    // A value only where one is taken.
    if (!option.takesValue) {
      EXPECT_EQ(ParseCommandLine({option.name + std::string("=1"), "a"}).usageError,
                texts::UnknownOption(option.name + std::string("=1")));
    }
    if (option.withCount == 0) continue;
    const std::string mode = OptionFor(option.with[0])->name;
    const std::string refusal =
        std::string("orbisk : l'option « ") + option.name + " » ne va qu'avec « " + mode + " »";
    const std::string refused = ParseCommandLine(arguments).usageError;
    EXPECT_EQ(refused.substr(0, refusal.size()), refusal);
    // With its mode, it is taken.
    arguments.insert(arguments.begin(), mode);
    EXPECT_EQ(ParseCommandLine(arguments).usageError, "");
  }
  // Of two options that do not go with the mode, the first given is named.
  EXPECT_EQ(ParseCommandLine({"--show", "--type", "prgm", "--name", "x", "a"}).usageError,
            "orbisk : l'option « --type » ne va qu'avec « --from-text » ou « --new »");
  // --new opens a new program or function as well as a text.
  const CommandLine program = ParseCommandLine({"--new", "--type", "func"});
  EXPECT_EQ(program.usageError, "");
  EXPECT_EQ(program.action, Action::New);
  EXPECT_EQ(program.type, std::optional<unsigned char>(types::kFunction));
}

}  // namespace
}  // namespace orbisk
