// The one Qt application object of the process, in French.
#pragma once

class QCoreApplication;

namespace orbisk {

// Creates the application on first call, with Qt's own notes kept off standard error, and
// loads Qt's French translations, so standard buttons and file dialogs read in French.
void EnsureApplication();

// Loads Qt's own French translations into `application`; false when they are not installed.
bool InstallFrenchTranslations(QCoreApplication& application);

}  // namespace orbisk
