// Removes the named temporary file of the moment when a signal ends the process.
#include "signal_cleanup.hpp"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstring>
#include <ctime>

namespace orbisk {
namespace {

// Signals raised by the program's own faults, or sent as any other: they are cleaned up
// after too. (A fault while one is blocked ends the process at once, as if unhandled.)
constexpr int kFaultSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP, SIGSYS, SIGABRT};
// Those that come from outside, and whose default action ends the process.
constexpr int kOutsideSignals[] = {SIGHUP,    SIGINT,  SIGQUIT,   SIGTERM, SIGPIPE,
                                   SIGALRM,   SIGUSR1, SIGUSR2,   SIGPOLL, SIGPROF,
                                   SIGVTALRM, SIGXCPU, SIGSTKFLT, SIGPWR};

// Written only while the signals are blocked, read only by the handler.
char temporaryName[NAME_MAX + 1];
volatile sig_atomic_t temporaryFolder = AT_FDCWD;
volatile sig_atomic_t temporaryRegistered = 0;
// The signals are blocked only in the thread that holds them, the one that writes; one sent
// to the process may reach another thread (the Qt module runs several). It is handed on
// to the writing thread, which then ends the process once its name and registration agree.
// A fault in another thread cannot be handed on: it waits for the writer to settle.
pthread_t writingThread;
std::atomic<int> holders{0};
static_assert(std::atomic<int>::is_always_lock_free);

// The sanitizers report the program's own faults through their handlers: those are theirs.
constexpr bool kSanitized =
#if defined(__SANITIZE_ADDRESS__)
    true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    true;
#else
    false;
#endif
#else
    false;
#endif

sigset_t HandledSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (const int s : TerminatingSignals()) sigaddset(&set, s);
  return set;
}

bool IsFault(int signal) {
  for (const int fault : kFaultSignals) {
    if (fault == signal) return true;
  }
  return false;
}

extern "C" void RemoveTemporaryThenDie(int signal) {
  if (!::pthread_equal(::pthread_self(), writingThread)) {
    if (!IsFault(signal)) {
      ::pthread_kill(writingThread, signal);
      return;
    }
    const timespec moment{0, 1000000};
    while (holders.load() > 0) ::nanosleep(&moment, nullptr);  // async-signal-safe
  }
  if (temporaryRegistered) ::unlinkat(temporaryFolder, temporaryName, 0);  // async-signal-safe
  temporaryRegistered = 0;
  ::signal(signal, SIG_DFL);
  ::raise(signal);  // delivered with the default action once this handler returns
}

}  // namespace

std::vector<int> TerminatingSignals() {
  std::vector<int> signals(std::begin(kOutsideSignals), std::end(kOutsideSignals));
  for (int s = SIGRTMIN; s <= SIGRTMAX; ++s) signals.push_back(s);
  if (!kSanitized)
    signals.insert(signals.end(), std::begin(kFaultSignals), std::end(kFaultSignals));
  return signals;
}

void InstallSignalCleanup() {
  writingThread = ::pthread_self();
  struct sigaction action {};
  action.sa_handler = RemoveTemporaryThenDie;
  action.sa_mask = HandledSignals();
  for (const int s : TerminatingSignals()) {
    struct sigaction previous {};
    // One call a signal, a second only to put back what was there: a signal left ignored,
    // or one the host process handles itself (a fuzzer's alarm, an application's Ctrl-C),
    // stays as it was. Only the default action, which would leave the file, is taken over.
    if (::sigaction(s, &action, &previous) != 0) continue;
    const bool ours =
        (previous.sa_flags & SA_SIGINFO) == 0 && previous.sa_handler == RemoveTemporaryThenDie;
    if (!ours && ((previous.sa_flags & SA_SIGINFO) != 0 || previous.sa_handler != SIG_DFL)) {
      ::sigaction(s, &previous, nullptr);
    }
  }
}

SignalsHeld::SignalsHeld() {
  const sigset_t set = HandledSignals();
  ::pthread_sigmask(SIG_BLOCK, &set, &saved_);
  ++holders;
}

SignalsHeld::~SignalsHeld() {
  --holders;
  ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
}

bool RegisterTemporary(int folder, const char* name) {
  const std::size_t length = std::strlen(name);
  if (length >= sizeof temporaryName) return false;
  temporaryRegistered = 0;
  std::memcpy(temporaryName, name, length + 1);
  temporaryFolder = folder;
  temporaryRegistered = 1;
  return true;
}

void ForgetTemporary() { temporaryRegistered = 0; }

}  // namespace orbisk
