// A scripted stand-in for the user: records what was shown and answers from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "interaction.hpp"

namespace orbisk::testing {

class ScriptedInteraction final : public Interaction {
 public:
  enum class Kind { Message, Failure, Question };
  struct Shown {
    Kind kind;
    std::string text;
  };

  // Each question takes the next answer; a question with no answer left fails the test.
  explicit ScriptedInteraction(std::deque<bool> answers = {}) : answers_(std::move(answers)) {}

  void ShowMessage(const std::string& text) override { shown.push_back({Kind::Message, text}); }
  void ReportFailure(const std::string& text) override { shown.push_back({Kind::Failure, text}); }
  bool AskYesNo(const std::string& question) override;

  std::vector<Shown> shown;

 private:
  std::deque<bool> answers_;
};

}  // namespace orbisk::testing
