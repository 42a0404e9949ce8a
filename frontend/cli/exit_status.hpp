// The exit statuses of the orbisk command.
#pragma once

namespace orbisk {

enum ExitStatus : int {
  kExitConverted = 0,     // every named file was converted (or the window closed normally)
  kExitNotConverted = 1,  // at least one file was abandoned or failed
  kExitUsage = 2,         // the command line could not be understood
};

}  // namespace orbisk
