// The entry points of the on-demand Qt module, looked up by name once it is loaded.
#pragma once

namespace orbisk {
class FileSystem;
class Interaction;
}  // namespace orbisk

extern "C" {
// Message boxes for the command line's messages and questions. The module owns the
// application object it creates on first use; the caller owns the returned object.
using OrbiskMessageBoxesEntry = orbisk::Interaction* (*)(int* argc, char** argv);
// Shows the main window and runs until it is closed; returns the exit status.
using OrbiskRunWindowEntry = int (*)(int* argc, char** argv, orbisk::FileSystem* files);
}

namespace orbisk {
constexpr const char kQtModuleFileName[] = "orbisk-qt.so";
constexpr const char kMessageBoxesEntryName[] = "orbisk_qt_message_boxes";
constexpr const char kRunWindowEntryName[] = "orbisk_qt_run_window";
}  // namespace orbisk
