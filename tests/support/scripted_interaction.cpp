// A scripted stand-in for the user: records what was shown and answers from a script.
#include "scripted_interaction.hpp"

#include <gtest/gtest.h>

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

}  // namespace orbisk::testing
