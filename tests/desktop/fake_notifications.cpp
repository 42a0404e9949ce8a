// A stand-in for the desktop's notification service: takes the session bus's
// org.freedesktop.Notifications name and writes each notification's summary and body, one
// line each, into the file named on its command line.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QTextStream>
#include <QVariantMap>

class Notifications : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

 public:
  explicit Notifications(QString log) : log_(std::move(log)) {}

 public slots:
  uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
              const QStringList&, const QVariantMap&, int) {
    QFile file(log_);
    if (file.open(QIODevice::Append | QIODevice::Text)) {
      QTextStream(&file) << summary << "\n" << body << "\n";
    }
    return ++count_;
  }
  QStringList GetCapabilities() { return {QStringLiteral("body")}; }

 private:
  QString log_;
  uint count_ = 0;
};

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc != 2) return 2;
  Notifications notifications(QString::fromLocal8Bit(argv[1]));
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications,
                          QDBusConnection::ExportAllSlots) ||
      !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
    return 1;
  }
  QTextStream(stdout) << "ready" << Qt::endl;
  return QCoreApplication::exec();
}

#include "fake_notifications.moc"
