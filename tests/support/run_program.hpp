// Runs a program in a child process and collects its exit status and output.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

namespace orbisk::testing {

struct Invocation {
  std::string program;
  std::vector<std::string> arguments;
  std::string folder = ".";  // the child's current directory
  std::vector<std::string> environment = {"LC_ALL=C", "TZ=UTC", "PATH=/usr/bin:/bin"};
  std::string input;  // standard input, a plain file (not a terminal)
  // With a terminal, standard input is a pseudo-terminal and `input` is typed on it.
  bool terminal = false;
  // A limit on the size of files the child writes (RLIMIT_FSIZE), in bytes; -1 for none.
  long long fileSizeLimit = -1;
  // A child still running after this long is killed, so a test fails instead of hanging.
  int timeoutSeconds = 30;
  // Run as this user and group instead (only root can switch); -1 keeps the caller's.
  long long user = -1;
  // Where standard output goes: captured, a full disk (/dev/full), closed, or a pipe
  // nobody reads, closed at its other end.
  enum class Output { Captured, Full, Closed, BrokenPipe };
  Output output = Output::Captured;
};

struct Outcome {
  int status = -1;  // the exit status, or 128 + the signal that ended the child
  std::string out;
  std::string err;
};

class TempFolder;

// A started child. The words of ORBISK_TEST_WRAPPER, when set, are put in front of the
// program (for instance a valgrind command line).
class ChildProcess {
 public:
  explicit ChildProcess(const Invocation& invocation);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  void Signal(int signal) const;
  // Waits for the end (killing the child at its timeout) and collects the outcome.
  Outcome Wait();

 private:
  Invocation invocation_;
  std::unique_ptr<TempFolder> capture_;
  pid_t pid_ = -1;
  int master_ = -1;
};

inline Outcome RunProgram(const Invocation& invocation) { return ChildProcess(invocation).Wait(); }

}  // namespace orbisk::testing
