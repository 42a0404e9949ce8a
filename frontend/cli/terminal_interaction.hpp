// Messages and questions on a terminal: messages to standard error, answers from the keyboard.
#pragma once

#include <istream>
#include <ostream>

#include "conversation.hpp"

namespace orbisk {

class TerminalInteraction final : public Messenger {
 public:
  TerminalInteraction(std::istream& answers, std::ostream& out) : answers_(answers), out_(out) {}

  void ShowMessage(const std::string& text) override;
  void ReportFailure(const std::string& text) override;
  // An empty answer means Yes; the end of input means No.
  bool AskYesNo(const std::string& question) override;

 private:
  std::istream& answers_;
  std::ostream& out_;
};

}  // namespace orbisk
