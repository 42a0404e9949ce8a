// The command line's ways of asking: on a terminal, with nobody to answer, and --yes.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "assume_yes.hpp"
#include "on_demand_interaction.hpp"
#include "scripted_interaction.hpp"
#include "terminal_interaction.hpp"
#include "unattended_interaction.hpp"

namespace orbisk {
namespace {

constexpr char kQuestion[] = "/c/prog.v2t existe déjà. Voulez-vous l'écraser ?";

bool AskOnTerminal(const std::string& typed, std::string* shown = nullptr) {
  std::istringstream in(typed);
  std::ostringstream out;
  TerminalInteraction terminal(in, out);
  const bool answer = terminal.AskYesNo(kQuestion);
  if (shown != nullptr) *shown = out.str();
  return answer;
}

TEST(TerminalInteractionTest, YesIsTheDefaultAnswer) {
  std::string shown;
  EXPECT_TRUE(AskOnTerminal("\n", &shown));
  EXPECT_EQ(shown, std::string(kQuestion) + " [O/n] ");
  for (const char* typed : {"o\n", "Oui\n", "  y \n", "YES\n"}) {
    EXPECT_TRUE(AskOnTerminal(typed)) << typed;
  }
}

TEST(TerminalInteractionTest, NoAndTheEndOfInputMeanNo) {
  for (const char* typed : {"n\n", "Non\n", "no\n", ""})
    EXPECT_FALSE(AskOnTerminal(typed)) << typed;
}

TEST(TerminalInteractionTest, AnUnclearAnswerIsAskedAgain) {
  std::string shown;
  EXPECT_FALSE(AskOnTerminal("peut-être\nn\n", &shown));
  EXPECT_EQ(shown, std::string(kQuestion) + " [O/n] Répondez « o » (oui) ou « n » (non).\n" +
                       kQuestion + " [O/n] ");
}

TEST(TerminalInteractionTest, MessagesGoOutOnALineEach) {
  std::istringstream in;
  std::ostringstream out;
  TerminalInteraction terminal(in, out);
  terminal.ShowMessage("Le fichier a n'existe pas");
  terminal.ReportFailure("Impossible de lire le fichier a : Input/output error.");
  EXPECT_EQ(out.str(),
            "Le fichier a n'existe pas\nImpossible de lire le fichier a : Input/output error.\n");
}

TEST(UnattendedInteractionTest, NeverReplacesAndSaysWhy) {
  std::ostringstream out;
  UnattendedInteraction unattended(out);
  EXPECT_FALSE(unattended.AskYesNo(kQuestion));
  EXPECT_EQ(out.str(), std::string(kQuestion) +
                           " Non : personne pour répondre ; utilisez --yes pour l'écraser.\n");
}

TEST(AssumeYesTest, AnswersYesWithoutAskingAndPassesMessagesOn) {
  testing::ScriptedInteraction inner;
  AssumeYes yes(inner);
  EXPECT_TRUE(yes.AskYesNo(kQuestion));
  yes.ShowMessage("message");
  yes.ReportFailure("failure");
  ASSERT_EQ(inner.shown.size(), 2u);
  EXPECT_EQ(inner.shown[0].text, "message");
  EXPECT_EQ(inner.shown[1].kind, testing::ScriptedInteraction::Kind::Failure);
}

// Records which of its ways each text came through.
class WaysTaken final : public Messenger {
 public:
  void ShowMessage(const std::string& text) override { taken.push_back("message " + text); }
  void ReportFailure(const std::string& text) override { taken.push_back("failure " + text); }
  bool AskYesNo(const std::string& text) override {
    taken.push_back("question " + text);
    return false;
  }
  void ShowWarning(const std::string& text) override { taken.push_back("warning " + text); }
  bool AskYesNoWarning(const std::string& text) override {
    taken.push_back("warned question " + text);
    return false;
  }
  messages::Audience Readers() override { return messages::Audience::Window; }
  std::vector<std::string> taken;
};

// A warning and a question that loses something keep their kind through every wrapper, so
// that a box shows their icon; a plain messenger shows them as any other.
TEST(MessengerWrappersTest, WarningsStayWarningsOnTheWay) {
  WaysTaken inner;
  AssumeYes yes(inner);
  OnDemandInteraction onDemand([&inner] {
    struct Forward final : Messenger {
      explicit Forward(Messenger& to) : to_(to) {}
      void ShowMessage(const std::string& text) override { to_.ShowMessage(text); }
      void ReportFailure(const std::string& text) override { to_.ReportFailure(text); }
      bool AskYesNo(const std::string& text) override { return to_.AskYesNo(text); }
      void ShowWarning(const std::string& text) override { to_.ShowWarning(text); }
      bool AskYesNoWarning(const std::string& text) override { return to_.AskYesNoWarning(text); }
      messages::Audience Readers() override { return to_.Readers(); }
      Messenger& to_;
    };
    return std::make_unique<Forward>(inner);
  });
  yes.ShowWarning("a");
  EXPECT_TRUE(yes.AskYesNoWarning("b"));  // --yes answers it unasked, as any question
  onDemand.ShowWarning("c");
  EXPECT_FALSE(onDemand.AskYesNoWarning("d"));
  EXPECT_EQ(inner.taken, (std::vector<std::string>{"warning a", "warning c", "warned question d"}));
  EXPECT_EQ(yes.Readers(), messages::Audience::Window);
  EXPECT_EQ(onDemand.Readers(), messages::Audience::Window);

  testing::ScriptedInteraction plain({true});
  plain.ShowWarning("e");
  EXPECT_TRUE(plain.AskYesNoWarning("f"));
  ASSERT_EQ(plain.shown.size(), 2u);
  EXPECT_EQ(plain.shown[0].kind, testing::ScriptedInteraction::Kind::Message);
  EXPECT_EQ(plain.shown[1].kind, testing::ScriptedInteraction::Kind::Question);
}

// Words for whoever reads them: a box gets no command to type, unless the conversation was
// told its audience.
TEST(ConversationTest, WordsFollowWhoReadsThem) {
  Warning damaged;
  damaged.kind = Warning::Kind::DamagedSource;
  damaged.path = "abime.9xt";
  damaged.problems.push_back({Problem::Kind::TooShort, 10});
  struct Row {
    bool boxes;
    std::optional<messages::Audience> told;
    const char* says;
    const char* never;
  };
  const Row rows[] = {
      {false, std::nullopt, "orbisk --repair abime.9xt", "« Réparer »"},
      {true, std::nullopt, "« Réparer », dans l'éditeur", "orbisk --"},
      {true, messages::Audience::CommandLine, "orbisk --repair abime.9xt", "« Réparer »"},
  };
  for (const Row& row : rows) {
    WaysTaken boxes;
    testing::ScriptedInteraction terminal;
    Messenger& messenger = row.boxes ? static_cast<Messenger&>(boxes) : terminal;
    Conversation(messenger, row.told).Warn(damaged);
    const std::string said = row.boxes ? boxes.taken.at(0) : terminal.shown.at(0).text;
    EXPECT_NE(said.find(row.says), std::string::npos) << said;
    EXPECT_EQ(said.find(row.never), std::string::npos) << said;
  }
}

}  // namespace
}  // namespace orbisk
