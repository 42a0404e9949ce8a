// Which Qt platform can show a window on a screen a person sees, checked without loading
// Qt, which aborts the process on a display it cannot use.
#pragma once

#include <functional>
#include <string>

namespace orbisk {

// What the choice depends on, apart from the environment: each check is the real one in
// production and a scripted one in tests.
struct DisplayChecks {
  // Whether the X server of a DISPLAY value completes the connection handshake.
  std::function<bool(const std::string& display)> xServerAccepts;
  // Whether a Wayland compositor answers at a WAYLAND_DISPLAY value.
  std::function<bool(const std::string& display)> waylandAccepts;
  // Whether Qt's platform plugin of this file name (such as "libqxcb.so") is installed.
  std::function<bool(const std::string& plugin)> pluginInstalled;
};

// The checks against the real system.
DisplayChecks SystemDisplayChecks();

// The QT_QPA_PLATFORM value to start Qt with, or empty when there is no usable display.
// Only X11 (xcb) and Wayland count; offscreen, minimal and the like show nothing to anyone.
// A platform list in QT_QPA_PLATFORM is tried in its order; without one, the session type
// decides which of Wayland and X11 comes first. `getenv` reads the environment.
std::string UsablePlatform(const std::function<const char*(const char*)>& getenv,
                           const DisplayChecks& checks);

// Finds the usable platform and puts it in QT_QPA_PLATFORM, so Qt starts with exactly the
// one that was checked; once a run, later calls give the same answer. False when there is
// none.
bool PrepareDisplay();

// The X server's socket for a DISPLAY value such as ":0", "unix:1.0" or "localhost:10.0":
// host (empty for local) and display number; false when the value cannot be read.
bool ParseXDisplay(const std::string& display, std::string& host, int& number);

}  // namespace orbisk
