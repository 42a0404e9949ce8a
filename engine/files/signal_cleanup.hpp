// Removes the one named temporary file of the moment when a signal ends the process, so
// that no signal that would end it (Ctrl-C, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGALRM, the
// user and real-time signals, …) leaves anything behind.
#pragma once

#include <signal.h>

#include <vector>

namespace orbisk {

// Every signal whose default action ends the process and that a handler may catch, but
// SIGXFSZ, which the program ignores so that writing past a size limit fails instead.
std::vector<int> TerminatingSignals();

// Installs the handler for each of them, for this thread's writing: a signal that reaches
// another thread is handed on to this one. The handler removes the registered temporary
// file, if any, then ends the process by the same signal, as if unhandled. A signal ignored
// by whoever started the program stays ignored, as nohup expects, and one the process
// handles itself keeps its handler: only default actions are taken over. A file about to be given a
// temporary name calls it first (see save_file.hpp).
void InstallSignalCleanup();

// Blocks those signals for its lifetime, so a name and its
// registration appear and vanish together: a signal that arrives meanwhile is handled once
// the block ends.
class SignalsHeld {
 public:
  SignalsHeld();
  ~SignalsHeld();
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t saved_;
};

// The temporary file the handler removes, by its name in the folder open as `folder`; one
// at a time. Returns false when the name is too long to keep (no folder could hold it).
bool RegisterTemporary(int folder, const char* name);
void ForgetTemporary();

}  // namespace orbisk
