// Whether a graphical display can really be reached, checked without loading Qt, which
// would abort the process on a display that is named but gone.
#pragma once

#include <string>

namespace orbisk {

// True when QT_QPA_PLATFORM chooses a platform, or when the Wayland or X display that the
// environment names accepts a connection.
bool DisplayAvailable();

// The X server's socket for a DISPLAY value such as ":0", "unix:1.0" or "localhost:10.0":
// host (empty for local) and display number; false when the value cannot be read.
bool ParseXDisplay(const std::string& display, std::string& host, int& number);

}  // namespace orbisk
