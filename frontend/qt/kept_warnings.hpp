// The engine's questions as the window asks them, and its warnings kept to go with the word
// on success, in the same box.
#pragma once

#include <QString>
#include <QStringList>

#include "conversation.hpp"
#include "messages.hpp"

namespace orbisk {

class KeptWarnings final : public Interaction {
 public:
  explicit KeptWarnings(Conversation& user) : user_(user) {}

  bool AskToReplace(const std::string& target) override { return user_.AskToReplace(target); }
  bool AskToReplaceChanged(const std::string& target) override {
    return user_.AskToReplaceChanged(target);
  }
  void Warn(const Warning& warning) override {
    kept_ << QString::fromStdString(messages::WarningText(warning, user_.audience()));
  }

  // `text`, then each warning kept, a paragraph each.
  QString After(const QString& text) const {
    return kept_.isEmpty() ? text
                           : text + QStringLiteral("\n\n") + kept_.join(QStringLiteral("\n\n"));
  }

 private:
  Conversation& user_;
  QStringList kept_;
};

}  // namespace orbisk
