// The folder that holds the running program file.
#pragma once

#include <string>
#include <vector>

namespace orbisk {

// The folder of the real executable, as /proc/self/exe tells it, without a trailing "/"
// except for the root folder; empty when the system cannot tell.
std::string ExecutableFolder();

// The same, for looking up names given on the command line: when the system cannot tell,
// `argv0`'s folder serves.
std::string ProgramFolder(const char* argv0);

// Where a piece installed with the program (the Qt module, orbisk-link) named `fileName`
// may be, in the order to try: in the module folder as seen from `executableFolder`, in
// the build tree as once installed; beside the executable itself when `besideToo` (for
// orbisk-link, which lives in that folder); then where the package installs it. A folder
// that is unknown or relative is not used.
std::vector<std::string> InstalledPieceCandidates(const std::string& executableFolder,
                                                  const std::string& fileName, bool besideToo);

}  // namespace orbisk
