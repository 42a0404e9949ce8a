// Creates the real interaction only when there is something to show, so a run that only
// converts never pays for loading it.
#pragma once

#include <functional>
#include <memory>

#include "conversation.hpp"

namespace orbisk {

class OnDemandInteraction final : public Messenger {
 public:
  using Factory = std::function<std::unique_ptr<Messenger>()>;
  explicit OnDemandInteraction(Factory factory) : factory_(std::move(factory)) {}

  void ShowMessage(const std::string& text) override { Get().ShowMessage(text); }
  void ReportFailure(const std::string& text) override { Get().ReportFailure(text); }
  bool AskYesNo(const std::string& question) override { return Get().AskYesNo(question); }
  void ShowWarning(const std::string& text) override { Get().ShowWarning(text); }
  bool AskYesNoWarning(const std::string& question) override {
    return Get().AskYesNoWarning(question);
  }
  messages::Audience Readers() override { return Get().Readers(); }

 private:
  Messenger& Get() {
    if (!inner_) inner_ = factory_();
    return *inner_;
  }

  Factory factory_;
  std::unique_ptr<Messenger> inner_;
};

}  // namespace orbisk
