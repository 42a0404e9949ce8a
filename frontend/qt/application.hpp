// The one Qt application object of the process, in French.
#pragma once

namespace orbisk {

// Creates the application on first call and loads Qt's French translations, so standard
// buttons and file dialogs read in French. `argc` must outlive the application.
void EnsureApplication(int* argc, char** argv);

}  // namespace orbisk
