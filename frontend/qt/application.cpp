// The one Qt application object of the process, in French.
#include "application.hpp"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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

void EnsureApplication(int* argc, char** argv) {
  if (QCoreApplication::instance() != nullptr) return;
  // Lives until the process ends: Qt objects may still refer to it during exit.
  auto* application = new QApplication(*argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orbisk"));
  // Docks and Wayland compositors find the icon through the desktop entry of this name.
  QGuiApplication::setDesktopFileName(QStringLiteral(ORBISK_APP_ID));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(ORBISK_APP_ID)));
  InstallFrenchTranslations(*application);
}

}  // namespace orbisk
