// The boundary between the orbisk program and its on-demand Qt module: one entry point,
// looked up by name, that gives the module's table of functions. Everything that crosses
// the boundary is here, under one version number: the table, and the program's Engine
// (engine.hpp) and Messenger (conversation.hpp) interfaces with the values they carry. The
// module links no engine: whatever a window reads or writes goes through the program's.
#pragma once

namespace orbisk {
class Engine;
class Messenger;
}  // namespace orbisk

extern "C" {
// What the module offers. Its first member is the interface version the module was built
// with, in every version; the program reads nothing else of a table of another version.
struct OrbiskQtModule {
  int interfaceVersion;
  // Message boxes for the command line's messages and questions. The module owns the
  // application object it creates on first use; the caller owns the returned object.
  orbisk::Messenger* (*messageBoxes)();
  // Shows the main window and runs until it is closed; returns the exit status.
  int (*runWindow)(orbisk::Engine* engine);
  // Shows an editor for each of the `count` files (names as bytes), or for none an empty
  // text for the Model `newModel` stands for, and runs until they are all closed; returns
  // the exit status: 1 when one of the files could not be shown (its report was), 0
  // otherwise.
  // The new text is a variable of type `newType` (a text, a program or a function).
  int (*runEditor)(orbisk::Engine* engine, const char* const* paths, int count, int newModel,
                   int newType);
  // Says what a run did, in French: as a desktop notification, or in a message box when no
  // notification service runs.
  void (*notify)(const char* caption, const char* text);
  // Draws the `count` lines (UTF-8) as a `size`-pixel square picture and hands its PNG
  // bytes to `sink`, with `context`; needs no display (the caller chose the offscreen
  // platform). Returns false when the picture could not be made.
  bool (*thumbnail)(const char* const* lines, int count, int size,
                    void (*sink)(void* context, const char* bytes, unsigned long size),
                    void* context);
};
using OrbiskQtModuleEntry = const OrbiskQtModule* (*)();
}

namespace orbisk {
// Raised whenever anything that crosses the boundary changes.
constexpr int kQtModuleInterfaceVersion = 12;
constexpr const char kQtModuleFileName[] = "orbisk-qt.so";
constexpr const char kQtModuleEntryName[] = "orbisk_qt_module";
}  // namespace orbisk
