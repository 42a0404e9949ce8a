// A word on success for a run started from the desktop: a notification from the desktop's
// notification service when one runs, otherwise the completion message box.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "dialogs.hpp"

namespace orbisk {

class Notifier {
 public:
  // `send` hands a notification to the desktop and tells whether it was taken.
  using Sender = std::function<bool(const QString& caption, const QString& text)>;
  Notifier(Dialogs& dialogs, Sender send) : dialogs_(dialogs), send_(std::move(send)) {}

  void Say(const QString& caption, const QString& text);

 private:
  Dialogs& dialogs_;
  Sender send_;
};

// The body of a notification saying `text`: as it is, or with "&", "<" and ">" escaped for
// a server that announces it reads markup in bodies ("body-markup" among `capabilities`).
QString NotificationBody(const QString& text, const QStringList& capabilities);

// Sends through the freedesktop notifications interface on the session bus; false when no
// service answers.
bool SendDesktopNotification(const QString& caption, const QString& text);

}  // namespace orbisk
