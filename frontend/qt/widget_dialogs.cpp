// The real dialogs: Qt message boxes.
#include "widget_dialogs.hpp"

namespace orbisk {
namespace {

QMessageBox::Icon ToQt(Dialogs::Icon icon) {
  switch (icon) {
    case Dialogs::Icon::Information:
      return QMessageBox::Information;
    case Dialogs::Icon::Critical:
      return QMessageBox::Critical;
    case Dialogs::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

std::unique_ptr<QMessageBox> MakeBox(QMessageBox::Icon icon, const QString& caption,
                                     const QString& text, QMessageBox::StandardButtons buttons) {
  auto box = std::make_unique<QMessageBox>(icon, caption, text, buttons);
  // Paths and messages are shown as they are, never as markup.
  box->setTextFormat(Qt::PlainText);
  return box;
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(Dialogs::Icon icon, const QString& caption,
                                            const QString& text) {
  return MakeBox(ToQt(icon), caption, text, QMessageBox::Ok);
}

std::unique_ptr<QMessageBox> MakeYesNoBox(const QString& caption, const QString& question) {
  auto box = MakeBox(QMessageBox::NoIcon, caption, question, QMessageBox::Yes | QMessageBox::No);
  box->setDefaultButton(QMessageBox::Yes);
  return box;
}

void WidgetDialogs::ShowMessage(Icon icon, const QString& caption, const QString& text) {
  MakeMessageBox(icon, caption, text)->exec();
}

bool WidgetDialogs::AskYesNo(const QString& caption, const QString& question) {
  return MakeYesNoBox(caption, question)->exec() == QMessageBox::Yes;
}

}  // namespace orbisk
