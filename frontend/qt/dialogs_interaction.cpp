// Messages and questions shown as dialogs, captioned with the program's name.
#include "dialogs_interaction.hpp"

#include "window_texts.hpp"

namespace orbisk {

void DialogsInteraction::ShowMessage(const std::string& text) {
  dialogs_.ShowMessage(Dialogs::Icon::None, texts::ApplicationTitle(),
                       QString::fromStdString(text));
}

void DialogsInteraction::ReportFailure(const std::string& text) {
  dialogs_.ShowMessage(Dialogs::Icon::Critical, texts::ApplicationTitle(),
                       QString::fromStdString(text));
}

void DialogsInteraction::ShowWarning(const std::string& text) {
  dialogs_.ShowMessage(Dialogs::Icon::Warning, texts::ApplicationTitle(),
                       QString::fromStdString(text));
}

bool DialogsInteraction::AskYesNoWarning(const std::string& question) {
  return dialogs_.AskYesNo(texts::ApplicationTitle(), QString::fromStdString(question),
                           Dialogs::Icon::Warning);
}

bool DialogsInteraction::AskYesNo(const std::string& question) {
  return dialogs_.AskYesNo(texts::ApplicationTitle(), QString::fromStdString(question));
}

}  // namespace orbisk
