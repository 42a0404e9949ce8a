// Where a run's words go, and what --notify says.
#include "run_messengers.hpp"

#include <unistd.h>

#include <iostream>

#include "cli_texts.hpp"
#include "display.hpp"
#include "on_demand_interaction.hpp"
#include "terminal_interaction.hpp"
#include "unattended_interaction.hpp"

namespace orbisk {

std::unique_ptr<Messenger> MessageBoxesOrStandardError() {
  std::string error;
  if (const OrbiskQtModule* module = LoadQtModule(error)) {
    return std::unique_ptr<Messenger>(module->messageBoxes());
  }
  std::cerr << texts::QtModuleUnavailable(error);
  return std::make_unique<UnattendedInteraction>(std::cerr);
}

std::unique_ptr<Messenger> ChooseMessenger(bool boxes) {
  if (::isatty(STDIN_FILENO)) return std::make_unique<TerminalInteraction>(std::cin, std::cerr);
  if (!boxes) return std::make_unique<UnattendedInteraction>(std::cerr);
  // Whether there is a display is only worth finding out once there is something to show.
  return std::make_unique<OnDemandInteraction>([] {
    if (PrepareDisplay()) return MessageBoxesOrStandardError();
    return std::unique_ptr<Messenger>(std::make_unique<UnattendedInteraction>(std::cerr));
  });
}

void SuccessNotice::Start(Conversation& user) {
  std::string error;
  module_ = PrepareDisplay() ? LoadQtModule(error) : nullptr;
  if (module_ != nullptr) failures_.emplace(user);
}

void SuccessNotice::operator()(const std::string& source, const std::string& target) {
  const std::string text = messages::MadeOne(made_, source, target);
  if (module_ == nullptr) {
    out_ << text << std::endl;
  } else {
    done_.push_back(text);
  }
}

void SuccessNotice::Finish(Conversation& user) {
  if (!failures_) return;
  const KeptErrors::Kept failures = failures_->Errors();
  failures_.reset();
  const std::string caption = messages::MadeCaption(made_);
  if (done_.size() + failures.size() == 1) {
    if (!done_.empty()) {
      module_->notify(caption.c_str(), done_[0].c_str());
    } else if (failures[0].second) {
      user.messenger().ShowMessage(failures[0].first);
    } else {
      user.messenger().ReportFailure(failures[0].first);
    }
    return;
  }
  if (done_.empty() && failures.empty()) return;
  std::vector<std::string> failed;
  for (const auto& [text, notice] : failures) failed.push_back(text);
  const std::string summary = messages::MadeSummary(made_, done_.size(), failed);
  module_->notify(caption.c_str(), summary.c_str());
}

}  // namespace orbisk
