// The real dialogs: Qt message boxes.
#pragma once

#include <QMessageBox>
#include <memory>

#include "dialogs.hpp"

namespace orbisk {

class WidgetDialogs final : public Dialogs {
 public:
  void ShowMessage(Icon icon, const QString& caption, const QString& text) override;
  bool AskYesNo(const QString& caption, const QString& question) override;
};

// The message boxes WidgetDialogs shows, built apart so tests can inspect them unshown.
std::unique_ptr<QMessageBox> MakeMessageBox(Dialogs::Icon icon, const QString& caption,
                                            const QString& text);
std::unique_ptr<QMessageBox> MakeYesNoBox(const QString& caption, const QString& question);

}  // namespace orbisk
