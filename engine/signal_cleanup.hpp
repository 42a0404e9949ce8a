// Removes the one named temporary file of the moment when an interrupting signal ends the
// process, so Ctrl-C, SIGTERM and SIGHUP leave nothing behind.
#pragma once

#include <signal.h>

namespace orbisk {

// Installs the handlers for SIGINT, SIGTERM and SIGHUP. The handler removes the registered
// temporary file, if any, then ends the process by the same signal, as if unhandled.
void InstallSignalCleanup();

// Blocks those signals for its lifetime, so a name and its registration appear and vanish
// together: a signal that arrives meanwhile is handled once the block ends.
class SignalsHeld {
 public:
  SignalsHeld();
  ~SignalsHeld();
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t saved_;
};

// The temporary file the handler removes; one at a time. Returns false when the path is too
// long to keep (no system call would accept it anyway).
bool RegisterTemporary(const char* path);
void ForgetTemporary();

}  // namespace orbisk
