// The command line's ways of asking: on a terminal, with nobody to answer, and --yes.
#include <gtest/gtest.h>

#include <sstream>

#include "assume_yes.hpp"
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

}  // namespace
}  // namespace orbisk
