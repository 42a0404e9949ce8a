// A word on success for a run started from the desktop.
#include "notifier.hpp"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>

namespace orbisk {

void Notifier::Say(const QString& caption, const QString& text) {
  if (!send_(caption, text)) dialogs_.ShowMessage(Dialogs::Icon::Information, caption, text);
}

bool SendDesktopNotification(const QString& caption, const QString& text) {
  static const QString kService = QStringLiteral("org.freedesktop.Notifications");
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || bus.interface() == nullptr ||
      !bus.interface()->isServiceRegistered(kService).value()) {
    return false;
  }
  QDBusInterface notifications(kService, QStringLiteral("/org/freedesktop/Notifications"),
                               kService, bus);
  // The desktop entry names the application, so the notification carries its icon.
  const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral(ORBISK_APP_ID)}};
  const QDBusReply<uint> reply = notifications.call(
      QStringLiteral("Notify"), QStringLiteral("Orbisk"), 0u, QStringLiteral(ORBISK_APP_ID),
      caption, text, QStringList(), hints, -1);
  return reply.isValid();
}

}  // namespace orbisk
