// With nobody to answer (no terminal, no display): messages to standard error, and an
// existing target is never replaced.
#pragma once

#include <ostream>

#include "conversation.hpp"

namespace orbisk {

class UnattendedInteraction final : public Messenger {
 public:
  explicit UnattendedInteraction(std::ostream& out) : out_(out) {}

  void ShowMessage(const std::string& text) override { out_ << text << std::endl; }
  void ReportFailure(const std::string& text) override { out_ << text << std::endl; }
  bool AskYesNo(const std::string& question) override;

 private:
  std::ostream& out_;
};

}  // namespace orbisk
