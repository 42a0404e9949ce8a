// The exit statuses of the orbisk command.
#pragma once

namespace orbisk {

enum ExitStatus : int {
  kExitConverted = 0,     // every named file was converted (or the window closed normally)
  kExitNotConverted = 1,  // at least one file was abandoned or failed
  kExitUsage = 2,         // the command line could not be understood
  kExitDamaged = 3,       // --show or --to-text read a damaged text as far as it went
};

// The status of a run from its files': a failure outweighs damage, which outweighs success.
inline int WorseStatus(int a, int b) {
  const auto rank = [](int s) { return s == kExitNotConverted ? 2 : s == kExitDamaged ? 1 : 0; };
  return rank(a) >= rank(b) ? a : b;
}

}  // namespace orbisk
