// The link modes of orbisk-link, run in this process against a fake calculator on the null
// cable: files sent arrive byte for byte, variables received become files libtifiles reads,
// and every fault ends in French with nothing left behind.
#include "link_command.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "command_line.hpp"
#include "exit_status.hpp"
#include "files.hpp"
#include "local_engine.hpp"
#include "posix_file_system.hpp"
#include "progress_views.hpp"
#include "scripted_interaction.hpp"
#include "temp_folder.hpp"
#include "variable_file.hpp"
#include "window_protocol.hpp"
#include "wired.hpp"

namespace orbisk {
namespace {

using testing::FakeCalculator;
using testing::FakeModel;
using testing::ScriptedInteraction;

// One run of orbisk-link's command, answering from a script.
struct LinkRun {
  explicit LinkRun(std::deque<bool> answers = {}) : user(std::move(answers)) {}

  int Run(FakeCalculator& calculator, const std::vector<std::string>& arguments,
          link::ProgressView* progress = nullptr) {
    const CommandLine line = ParseCommandLine(arguments);
    EXPECT_NE(line.action, CommandLine::Action::UsageError) << line.usageError;
    link::NoProgress none;
    return link::RunLinkCommand(line, testing::WiredTo(calculator), run,
                                progress != nullptr ? *progress : none);
  }
  // Everything said, a line each.
  std::string Said() const {
    std::string all;
    for (const auto& shown : user.shown) all += shown.text + "\n";
    return all;
  }

  ScriptedInteraction user;
  Conversation conversation{user};
  PosixFileSystem files;
  SystemClock clock;
  LocalEngine engine{files, clock};
  std::ostringstream out;
  CommandRun run{engine, conversation, out, {}, {}};
};

struct ModelRow {
  const char* option;  // --model's value
  FakeModel fake;
  Model files;
};

const ModelRow kModels[] = {{"89", FakeModel::Ti89, Model::Ti89},
                            {"89t", FakeModel::Ti89Titanium, Model::Ti89},
                            {"92p", FakeModel::Ti92Plus, Model::Ti92Plus},
                            {"v200", FakeModel::Voyager200, Model::Voyager200}};

// What libtifiles reads of a file: its first variable's data.
std::string ReadByLibtifiles(const std::string& path) {
  ::FileContent* content = tifiles_content_create_regular(CALC_NONE);
  std::string data;
  if (tifiles_file_read_regular(path.c_str(), content) == 0 && content->num_entries > 0) {
    const VarEntry* entry = content->entries[0];
    // Its data start with the variable's own size, which ours leave out.
    if (entry->size >= 2)
      data.assign(reinterpret_cast<const char*>(entry->data) + 2, entry->size - 2);
  }
  tifiles_content_delete_regular(content);
  return data;
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class LinkCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(folder_ / "recu");
    program_ = testing::ReadFile(ORBISK_TEST_DATA "/sgs/sgsgeoan.89p");
    testing::WriteFile(folder_ / "sgsgeoan.89p", program_);
    testing::WriteFile(folder_ / "notes.9xt",
                       testing::CalculatorTextFile(std::string(" Bonjour\r Au revoir", 19)));
  }

  testing::TempFolder folder_;
  std::string into_ = folder_ / "recu";
  std::string program_;
};

TEST_F(LinkCommandTest, EveryModelTakesFilesListsThemAndGivesThemBack) {
  const ParsedFile program = ParseVariableFile(program_, program_.size());
  for (const ModelRow& model : kModels) {
    SCOPED_TRACE(model.option);
    std::filesystem::remove_all(into_);
    std::filesystem::create_directory(into_);
    FakeCalculator calculator(model.fake);
    LinkRun send;
    ASSERT_EQ(send.Run(calculator, {"--send", "--model", model.option, folder_ / "sgsgeoan.89p",
                                    folder_ / "notes.9xt"}),
              kExitConverted)
        << send.Said();
    // Each arrives whole; a file made for another model says it was converted on the way.
    ASSERT_EQ(calculator.variables.size(), 2u);
    EXPECT_TRUE(calculator.variables[0].data == program.file.entries[0].data);
    EXPECT_EQ(calculator.variables[1].name, "notes");
    const bool programConverted = model.files != Model::Ti89;
    const bool notesConverted = model.files != Model::Ti92Plus;
    EXPECT_EQ(send.user.shown.size(), std::size_t{programConverted} + notesConverted)
        << send.Said();

    LinkRun list;
    ASSERT_EQ(list.Run(calculator, {"--calc", "--model", model.option}), kExitConverted)
        << list.Said();
    EXPECT_NE(list.out.str().find("sgs\\sgsgeoan"), std::string::npos) << list.out.str();
    EXPECT_NE(list.out.str().find("main\\notes"), std::string::npos) << list.out.str();

    LinkRun receive;
    ASSERT_EQ(
        receive.Run(calculator, {"--receive", "--all", "--into", into_, "--model", model.option}),
        kExitConverted)
        << receive.Said();
    const std::string extension = ExtensionOf(model.files);  // the text's: "89t"…
    const std::string programFile = std::string("sgsgeoan.") + extension.substr(0, 2) + "p";
    EXPECT_EQ(Entries(into_), (std::vector<std::string>{"notes." + extension, programFile}));
    const std::string programRead = ReadByLibtifiles(into_ + "/" + programFile);
    EXPECT_TRUE(programRead == program.file.entries[0].data) << programRead.size();
    const std::string notesRead = ReadByLibtifiles(into_ + "/notes." + extension);
    EXPECT_TRUE(notesRead == calculator.variables[1].data) << notesRead.size();
  }
}

TEST_F(LinkCommandTest, VariablesAreReceivedByNameAndAnUnknownOneIsNamed) {
  FakeCalculator calculator(FakeModel::Ti89);
  calculator.variables = {{"main", "aire", 0x12, 0, std::string("\0\x01\xE9", 3)},
                          {"cours", "notes", 0x0B, 0, std::string("\0\x01 a\0\xE0", 6)},
                          {"main", "notes", 0x0B, 0, std::string("\0\x01 b\0\xE0", 6)}};
  struct Row {
    const char* name;
    std::vector<std::string> asked;
    int status;
    std::vector<std::string> files;
    const char* said;
  };
  const Row rows[] = {
      {"a name one folder has", {"aire"}, kExitConverted, {"aire.89p"}, ""},
      {"a folder and a name", {"cours\\notes"}, kExitConverted, {"notes.89t"}, ""},
      {"a name two folders have", {"notes"}, kExitNotConverted, {}, "DOSSIER\\NOM"},
      {"a name nobody has", {"main\\absent"}, kExitNotConverted, {}, "main\\absent"},
      {"both folders' notes",
       {"cours\\notes", "main\\notes"},
       kExitConverted,
       {"cours-notes.89t", "main-notes.89t"},
       ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove_all(into_);
    std::filesystem::create_directory(into_);
    std::vector<std::string> arguments{"--receive", "--into", into_, "--model", "89"};
    arguments.insert(arguments.end(), row.asked.begin(), row.asked.end());
    LinkRun receive;
    EXPECT_EQ(receive.Run(calculator, arguments), row.status) << receive.Said();
    EXPECT_EQ(Entries(into_), row.files);
    EXPECT_NE(receive.Said().find(row.said), std::string::npos) << receive.Said();
  }
}

TEST_F(LinkCommandTest, AVariableTheCalculatorHasIsReplacedOnlyIfTheUserSays) {
  for (const bool yes : {false, true}) {
    SCOPED_TRACE(yes ? "yes" : "no");
    FakeCalculator calculator(FakeModel::Ti89);
    calculator.variables = {{"main", "notes", 0x0B, 0, "old"}};
    LinkRun send({yes});
    EXPECT_EQ(send.Run(calculator, {"--send", "--model", "89", folder_ / "notes.9xt"}),
              yes ? kExitConverted : kExitNotConverted);
    ASSERT_FALSE(send.user.shown.empty());
    EXPECT_NE(send.Said().find("La calculatrice a déjà une variable main\\notes"),
              std::string::npos)
        << send.Said();
    EXPECT_EQ(calculator.variables.at(0).data != "old", yes);
  }
  // --yes does not ask.
  FakeCalculator calculator(FakeModel::Ti89);
  calculator.variables = {{"main", "notes", 0x0B, 0, "old"}};
  LinkRun send;
  EXPECT_EQ(send.Run(calculator, {"--send", "--yes", "--model", "89", folder_ / "notes.9xt"}),
            kExitConverted);
}

// Cancels the transfer as Ctrl-C or the editor's Annuler would, once half of it went.
class CancelHalfway final : public link::ProgressView {
 public:
  explicit CancelHalfway(bool atOnce = false) : atOnce_(atOnce) {}
  void Begin(const std::string&, bool) override {
    transferring = true;
    // A signal that comes before the library's call begins holds for it too.
    if (atOnce_) link::CancelFromSignal();
  }
  void Step(link::TransferProgress progress) override {
    if (!transferring) return;  // the listing before
    steps.push_back(progress);
    if (progress.total > 0 && progress.done * 2 >= progress.total) link::CancelFromSignal();
  }
  void End() override { transferring = false; }
  bool transferring = false;
  std::vector<link::TransferProgress> steps;

 private:
  bool atOnce_;
};

TEST_F(LinkCommandTest, EveryFaultEndsInFrenchAndLeavesNothingBehind) {
  struct Row {
    const char* name;
    testing::FakeFaults faults;
    bool sending;
    bool cancel;
    const char* said;
  };
  using Faults = testing::FakeFaults;
  // Cut in the middle of the variable: after the listing, its header and the host's go.
  FakeCalculator counter(FakeModel::Ti89);
  counter.variables = {{"main", "prog", 0x12, 0, "x"}};
  LinkRun listing;
  ASSERT_EQ(listing.Run(counter, {"--calc", "--model", "89"}), kExitConverted);
  const Faults cut = Faults::CutAfter(counter.PacketsSaid() + 3);
  const Row rows[] = {
      {"silence", Faults::Silence(), false, false,
       "Impossible de parler à la calculatrice : la "
       "calculatrice ne répond pas"},
      {"a refusal", Faults::Refusal(), true, false,
       "n'a pas été envoyé : la calculatrice a refusé"},
      {"a wrong sum", Faults::WrongSum(), false, false,
       "n'a pas été reçue : la transmission a été"},
      {"a cut", cut, false, false, "La variable main\\prog n'a pas été reçue : la calculatrice"},
      {"cancelled", {}, false, true, "n'a pas été reçue : transfert annulé"},
      {"cancelled before it began", {}, false, true, "n'a pas été reçue : transfert annulé"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove_all(into_);
    std::filesystem::create_directory(into_);
    FakeCalculator calculator(FakeModel::Ti89);
    calculator.variables = {{"main", "prog", 0x12, 0,
                             ParseVariableFile(program_, program_.size()).file.entries[0].data}};
    calculator.faults = row.faults;
    LinkRun link;
    CancelHalfway cancel(std::string(row.name) == "cancelled before it began");
    const int status =
        row.sending
            ? link.Run(calculator, {"--send", "--model", "89", folder_ / "notes.9xt"})
            : link.Run(calculator, {"--receive", "--into", into_, "--model", "89", "main\\prog"},
                       row.cancel ? &cancel : nullptr);
    EXPECT_EQ(status, kExitNotConverted);
    EXPECT_NE(link.Said().find(row.said), std::string::npos) << link.Said();
    EXPECT_TRUE(Entries(into_).empty());
    // Cancelled half-way, the transfer had gone that far; cancelled first, it never began.
    const bool halfway = std::any_of(cancel.steps.begin(), cancel.steps.end(), [](auto step) {
      return step.total > 0 && step.done * 2 >= step.total;
    });
    EXPECT_EQ(halfway, row.cancel && std::string(row.name) == "cancelled");
  }
}

TEST(LinkChoiceTest, TheCableAndModelComeFromTheCommandLine) {
  struct Row {
    std::vector<std::string> arguments;
    CableModel cable;
    CablePort port;
    CalcModel model;
    bool usage;
  };
  const Row rows[] = {
      {{"--calc", "--cable", "tiemu", "--model", "92p"}, CABLE_TIE, PORT_2, CALC_TI92P, false},
      {{"--calc", "--cable", "TiEmu", "--port", "1", "--model", "89t"},
       CABLE_TIE,
       PORT_1,
       CALC_TI89T,
       false},
      {{"--calc", "--cable", "black", "--port", "2", "--model", "v200"},
       CABLE_BLK,
       PORT_2,
       CALC_V200,
       false},
      {{"--calc", "--cable", "GrayLink", "--model", "89"}, CABLE_GRY, PORT_1, CALC_TI89, false},
      {{"--calc", "--cable", "ficelle", "--model", "89"}, CABLE_NUL, PORT_1, CALC_TI89, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments[2]);
    link::LinkOptions options;
    options.cable = CABLE_NUL;
    options.hook = testing::Wire;  // no probing of this machine's USB
    bool usage = false;
    const std::string error = link::ChooseLink(ParseCommandLine(row.arguments), options, usage);
    EXPECT_EQ(usage, row.usage) << error;
    EXPECT_EQ(error.empty(), !row.usage) << error;
    if (row.usage) continue;
    EXPECT_EQ(options.cable, row.cable);
    EXPECT_EQ(options.port, row.port);
    EXPECT_EQ(options.model, row.model);
  }
}

}  // namespace
}  // namespace orbisk

namespace orbisk {
namespace {

// The lines orbisk-link gives the window that runs it, and the answers it reads back.
TEST(WindowProtocolTest, EachThingToShowIsOneLineAndEachAnswerOneLineBack) {
  struct Row {
    const char* answers;
    bool yes;
  };
  for (const Row& row : {Row{"o\n", true}, Row{"n\n", false}, Row{"", false}}) {
    std::istringstream answers(row.answers);
    std::ostringstream out;
    link::WindowMessenger messenger(answers, out);
    messenger.ShowMessage("deux\nlignes");
    messenger.ReportFailure("main\\notes");
    EXPECT_EQ(messenger.AskYesNo("Remplacer ?"), row.yes) << row.answers;
    EXPECT_EQ(out.str(),
              "orbisk-message deux\x1Elignes\norbisk-failure main\\notes\n"
              "orbisk-question Remplacer ?\n");
  }
  std::ostringstream progress;
  link::ProgressLines lines(progress);
  lines.Begin("main\\prog", true);
  lines.Step({50, 100});
  lines.Step({50, 100});  // the same percent again says nothing
  lines.Step({100, 100});
  EXPECT_EQ(progress.str(),
            "orbisk-progress main\\prog 0\norbisk-progress main\\prog 50\n"
            "orbisk-progress main\\prog 100\n");
}

}  // namespace
}  // namespace orbisk
