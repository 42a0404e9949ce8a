// The entry points of the on-demand Qt module, looked up by name once it is loaded.
#pragma once

namespace orbisk {
class FileSystem;
class Interaction;
}  // namespace orbisk

extern "C" {
// The version of this interface the module was built with; the program calls nothing else
// unless it is the version it was built with.
using OrbiskInterfaceVersionEntry = int (*)();
// Message boxes for the command line's messages and questions. The module owns the
// application object it creates on first use; the caller owns the returned object.
using OrbiskMessageBoxesEntry = orbisk::Interaction* (*)();
// Shows the main window and runs until it is closed; returns the exit status.
using OrbiskRunWindowEntry = int (*)(orbisk::FileSystem* files);
// Shows a viewer for each of the `count` files and runs until they are all closed; returns
// the exit status: 1 when one of them could not be shown (its report was), 0 otherwise.
using OrbiskRunViewerEntry = int (*)(orbisk::FileSystem* files, const char* const* paths,
                                     int count);
// Says that `source` was converted into `target`: as a desktop notification, or in the
// completion message box when no notification service runs.
using OrbiskNotifyEntry = void (*)(const char* source, const char* target);
}

namespace orbisk {
// Raised whenever an entry point is added or changes.
constexpr int kQtModuleInterfaceVersion = 3;
constexpr const char kQtModuleFileName[] = "orbisk-qt.so";
constexpr const char kInterfaceVersionEntryName[] = "orbisk_qt_interface_version";
constexpr const char kMessageBoxesEntryName[] = "orbisk_qt_message_boxes";
constexpr const char kRunWindowEntryName[] = "orbisk_qt_run_window";
constexpr const char kRunViewerEntryName[] = "orbisk_qt_run_viewer";
constexpr const char kNotifyEntryName[] = "orbisk_qt_notify";
}  // namespace orbisk
