// Removes the named temporary file of the moment when an interrupting signal ends the process.
#include "signal_cleanup.hpp"

#include <signal.h>
#include <unistd.h>

#include <climits>
#include <cstring>

namespace orbisk {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Written only while the signals are blocked, read only by the handler.
char temporaryPath[PATH_MAX];
volatile sig_atomic_t temporaryRegistered = 0;

sigset_t InterruptingSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int s : kSignals) sigaddset(&set, s);
  return set;
}

extern "C" void RemoveTemporaryThenDie(int signal) {
  if (temporaryRegistered) ::unlink(temporaryPath);  // async-signal-safe
  ::signal(signal, SIG_DFL);
  ::raise(signal);  // delivered with the default action once this handler returns
}

}  // namespace

void InstallSignalCleanup() {
  struct sigaction action {};
  action.sa_handler = RemoveTemporaryThenDie;
  sigemptyset(&action.sa_mask);
  for (int s : kSignals) sigaddset(&action.sa_mask, s);
  for (int s : kSignals) {
    struct sigaction previous {};
    // A signal ignored by whoever started us stays ignored, as nohup expects.
    if (::sigaction(s, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
    ::sigaction(s, &action, nullptr);
  }
}

SignalsHeld::SignalsHeld() {
  const sigset_t set = InterruptingSignals();
  ::sigprocmask(SIG_BLOCK, &set, &saved_);
}

SignalsHeld::~SignalsHeld() {
  ::sigprocmask(SIG_SETMASK, &saved_, nullptr);
}

bool RegisterTemporary(const char* path) {
  const std::size_t length = std::strlen(path);
  if (length >= sizeof temporaryPath) return false;
  temporaryRegistered = 0;
  std::memcpy(temporaryPath, path, length + 1);
  temporaryRegistered = 1;
  return true;
}

void ForgetTemporary() { temporaryRegistered = 0; }

}  // namespace orbisk
