// Runs a program in a child process and collects its exit status and output.
#include "run_program.hpp"

#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "files.hpp"
#include "temp_folder.hpp"

namespace orbisk::testing {
namespace {

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

[[noreturn]] void RunChild(const Invocation& invocation, int input, int out, int err,
                           bool terminal) {
  if (terminal) {
    ::setsid();
    ::ioctl(input, TIOCSCTTY, 0);
  }
  ::dup2(input, STDIN_FILENO);
  ::dup2(out, STDOUT_FILENO);
  ::dup2(err, STDERR_FILENO);
  if (::chdir(invocation.folder.c_str()) != 0) ::_exit(126);
  std::vector<std::string> argv{invocation.program};
  argv.insert(argv.end(), invocation.arguments.begin(), invocation.arguments.end());
  std::vector<std::string> envp = invocation.environment;
  ::execve(invocation.program.c_str(), Pointers(argv).data(), Pointers(envp).data());
  ::_exit(127);
}

}  // namespace

Outcome RunProgram(const Invocation& invocation) {
  TempFolder capture;
  WriteFile(capture / "in", invocation.input);
  const int out = ::open((capture / "out").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  const int err = ::open((capture / "err").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  int input = -1;
  int master = -1;
  if (invocation.terminal) {
    if (::openpty(&master, &input, nullptr, nullptr, nullptr) != 0) {
      throw std::runtime_error("openpty failed");
    }
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
  } else {
    input = ::open((capture / "in").c_str(), O_RDONLY | O_CLOEXEC);
  }
  const pid_t child = ::fork();
  if (child == 0) RunChild(invocation, input, out, err, invocation.terminal);
  if (master >= 0) {
    // Typed ahead: the terminal keeps it until the program reads.
    if (::write(master, invocation.input.data(), invocation.input.size()) < 0) {
      throw std::runtime_error("cannot type on the terminal");
    }
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  for (int fd : {out, err, input, master}) {
    if (fd >= 0) ::close(fd);
  }
  Outcome outcome;
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  outcome.out = ReadFile(capture / "out");
  outcome.err = ReadFile(capture / "err");
  return outcome;
}

}  // namespace orbisk::testing
