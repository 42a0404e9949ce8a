// The one Qt application object of the process, in French.
#include "application.hpp"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace orbisk {

void EnsureApplication(int* argc, char** argv) {
  if (QApplication::instance() != nullptr) return;
  // Lives until the process ends: Qt objects may still refer to it during exit.
  auto* application = new QApplication(*argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orbisk"));
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  auto* translator = new QTranslator(application);
  if (translator->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
}

}  // namespace orbisk
