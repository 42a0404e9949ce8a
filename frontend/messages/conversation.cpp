// The engine's questions, warnings and errors put into words for the front ends.
#include "conversation.hpp"

#include "messages.hpp"

namespace orbisk {

bool Conversation::AskToReplace(const std::string& target) {
  return messenger_.AskYesNo(messages::OverwriteQuestion(target));
}

bool Conversation::AskToReplaceChanged(const std::string& target) {
  return messenger_.AskYesNoWarning(messages::ChangedOnDiskQuestion(target));
}

void Conversation::Warn(const Warning& warning) {
  messenger_.ShowWarning(messages::WarningText(warning, audience()));
}

bool Conversation::Report(const Status& status) {
  if (!status) Report(status.error());
  return static_cast<bool>(status);
}

void Conversation::Report(const Error& error) {
  const std::string text = messages::Describe(error, audience());
  if (text.empty()) return;
  // A declined question says nothing itself; a temporary file left behind is a failure.
  if (kept_ != nullptr) {
    kept_->emplace_back(text, messages::IsNotice(error));
  } else if (messages::IsNotice(error)) {
    messenger_.ShowMessage(text);
  } else {
    messenger_.ReportFailure(text);
  }
}

}  // namespace orbisk
