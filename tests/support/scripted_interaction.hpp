// A scripted stand-in for the user: records what was shown, in the words the front ends
// would show, and answers from a script. It is both the words (a Messenger) and the
// engine's questions and warnings put into them (an Interaction).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "conversation.hpp"
#include "interaction.hpp"

namespace orbisk::testing {

class ScriptedInteraction final : public Messenger, public Interaction {
 public:
  enum class Kind { Message, Failure, Question };
  struct Shown {
    Kind kind;
    std::string text;
  };

  // Each question takes the next answer; a question with no answer left fails the test.
  explicit ScriptedInteraction(std::deque<bool> answers = {}) : answers_(std::move(answers)) {}
  ScriptedInteraction(const ScriptedInteraction& other)
      : Messenger(), Interaction(), shown(other.shown), answers_(other.answers_) {}
  ScriptedInteraction& operator=(const ScriptedInteraction& other) {
    shown = other.shown;
    answers_ = other.answers_;
    return *this;
  }

  void ShowMessage(const std::string& text) override { shown.push_back({Kind::Message, text}); }
  void ReportFailure(const std::string& text) override { shown.push_back({Kind::Failure, text}); }
  bool AskYesNo(const std::string& question) override;

  bool AskToReplace(const std::string& target) override;
  bool AskToReplaceChanged(const std::string& target) override;
  void Warn(const Warning& warning) override;

  // Records what a front end would say of `status`; true when it is a success.
  bool Reported(const Status& status);
  template <typename T>
  bool Reported(const Result<T>& result) {
    return result ? true : Reported(Status(result.error()));
  }

  std::vector<Shown> shown;

 private:
  std::deque<bool> answers_;
};

}  // namespace orbisk::testing
