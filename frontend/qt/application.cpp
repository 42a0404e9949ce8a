// The one Qt application object of the process, in French.
#include "application.hpp"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

namespace orbisk {

bool InstallFrenchTranslations(QCoreApplication& application) {
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  auto* translator = new QTranslator(&application);
  if (!translator->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

namespace {

// Qt's own notes (a missing runtime folder, a font it substitutes) mean nothing to the
// user, and a successful run prints nothing: only its critical messages get through.
void KeepQtNotesQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  }
}

}  // namespace

void EnsureApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  qInstallMessageHandler(KeepQtNotesQuiet);
  // Qt reads its own options from the arguments; it gets the program's name and nothing
  // else, so no file name can ever be taken for one. Both live as long as the application.
  static int argc = 1;
  static char name[] = "orbisk";
  static char* argv[] = {name, nullptr};
  // Lives until the process ends: Qt objects may still refer to it during exit.
  auto* application = new QApplication(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orbisk"));
  // Docks and Wayland compositors find the icon through the desktop entry of this name.
  QGuiApplication::setDesktopFileName(QStringLiteral(ORBISK_APP_ID));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(ORBISK_APP_ID)));
  InstallFrenchTranslations(*application);
}

}  // namespace orbisk
