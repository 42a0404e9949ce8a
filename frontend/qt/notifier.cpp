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

QString NotificationBody(const QString& text, const QStringList& capabilities) {
  if (!capabilities.contains(QStringLiteral("body-markup"))) return text;
  // A server that reads markup in the body would take a file name's "<" or "&" for it.
  QString body = text;
  body.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
  body.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
  body.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
  return body;
}

bool SendDesktopNotification(const QString& caption, const QString& text) {
  static const QString kService = QStringLiteral("org.freedesktop.Notifications");
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || bus.interface() == nullptr ||
      !bus.interface()->isServiceRegistered(kService).value()) {
    return false;
  }
  QDBusInterface notifications(kService, QStringLiteral("/org/freedesktop/Notifications"), kService,
                               bus);
  const QDBusReply<QStringList> capabilities =
      notifications.call(QStringLiteral("GetCapabilities"));
  const QString body =
      NotificationBody(text, capabilities.isValid() ? capabilities.value() : QStringList());
  // The desktop entry names the application, so the notification carries its icon.
  const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral(ORBISK_APP_ID)}};
  const QDBusReply<uint> reply =
      notifications.call(QStringLiteral("Notify"), QStringLiteral("Orbisk"), 0u,
                         QStringLiteral(ORBISK_APP_ID), caption, body, QStringList(), hints, -1);
  return reply.isValid();
}

}  // namespace orbisk
