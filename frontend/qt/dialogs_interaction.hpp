// Messages and questions shown as dialogs, captioned with the program's name.
#pragma once

#include "conversation.hpp"
#include "dialogs.hpp"

namespace orbisk {

class DialogsInteraction final : public Messenger {
 public:
  explicit DialogsInteraction(Dialogs& dialogs) : dialogs_(dialogs) {}

  void ShowMessage(const std::string& text) override;
  void ReportFailure(const std::string& text) override;
  bool AskYesNo(const std::string& question) override;
  void ShowWarning(const std::string& text) override;
  bool AskYesNoWarning(const std::string& question) override;
  messages::Audience Readers() override { return messages::Audience::Window; }

 private:
  Dialogs& dialogs_;
};

}  // namespace orbisk
