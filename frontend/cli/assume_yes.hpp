// The --yes option: every overwrite question is answered Yes without being asked.
#pragma once

#include "conversation.hpp"

namespace orbisk {

// Answers Yes to every question without asking; everything else goes through.
class AssumeYes final : public Messenger {
 public:
  explicit AssumeYes(Messenger& inner) : inner_(inner) {}

  void ShowMessage(const std::string& text) override { inner_.ShowMessage(text); }
  void ReportFailure(const std::string& text) override { inner_.ReportFailure(text); }
  bool AskYesNo(const std::string&) override { return true; }
  void ShowWarning(const std::string& text) override { inner_.ShowWarning(text); }
  messages::Audience Readers() override { return inner_.Readers(); }

 private:
  Messenger& inner_;
};

}  // namespace orbisk
