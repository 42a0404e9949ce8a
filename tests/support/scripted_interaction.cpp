// A scripted stand-in for the user: records what was shown and answers from a script.
#include "scripted_interaction.hpp"

#include <gtest/gtest.h>

#include "messages.hpp"

namespace orbisk::testing {

bool ScriptedInteraction::AskYesNo(const std::string& question) {
  shown.push_back({Kind::Question, question});
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected question: " << question;
    return false;
  }
  const bool answer = answers_.front();
  answers_.pop_front();
  return answer;
}

bool ScriptedInteraction::AskToReplace(const std::string& target) {
  return Conversation(*this).AskToReplace(target);
}

bool ScriptedInteraction::AskToReplaceChanged(const std::string& target) {
  return Conversation(*this).AskToReplaceChanged(target);
}

void ScriptedInteraction::Warn(const Warning& warning) { Conversation(*this).Warn(warning); }

bool ScriptedInteraction::Reported(const Status& status) {
  return Conversation(*this).Report(status);
}

}  // namespace orbisk::testing
