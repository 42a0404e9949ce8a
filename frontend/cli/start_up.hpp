// Start-up: reads the command line and either converts the named files or opens the window.
#pragma once

namespace orbisk {

int Main(int argc, char** argv);

}  // namespace orbisk
