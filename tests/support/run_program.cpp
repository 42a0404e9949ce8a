// Runs a program in a child process and collects its exit status and output.
#include "run_program.hpp"

#include <fcntl.h>
#include <grp.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <thread>

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

std::vector<std::string> CommandLine(const Invocation& invocation) {
  std::vector<std::string> words;
  if (const char* wrapper = std::getenv("ORBISK_TEST_WRAPPER")) {
    std::istringstream split(wrapper);
    for (std::string word; split >> word;) words.push_back(word);
  }
  words.push_back(invocation.program);
  words.insert(words.end(), invocation.arguments.begin(), invocation.arguments.end());
  return words;
}

[[noreturn]] void RunChild(const Invocation& invocation, std::vector<std::string> argv, int input,
                           int out, int err) {
  if (invocation.terminal) {
    ::setsid();
    ::ioctl(input, TIOCSCTTY, 0);
  }
  ::dup2(input, STDIN_FILENO);
  ::dup2(out, STDOUT_FILENO);
  ::dup2(err, STDERR_FILENO);
  if (invocation.output == Invocation::Output::Closed) ::close(STDOUT_FILENO);
  // A broken pipe is only felt by default, as when started from a shell.
  if (invocation.output == Invocation::Output::BrokenPipe) ::signal(SIGPIPE, SIG_DFL);
  if (invocation.fileSizeLimit >= 0) {
    const rlimit limit{static_cast<rlim_t>(invocation.fileSizeLimit),
                       static_cast<rlim_t>(invocation.fileSizeLimit)};
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  if (invocation.user >= 0) {
    const auto id = static_cast<uid_t>(invocation.user);
    if (::setgroups(0, nullptr) != 0 || ::setgid(id) != 0 || ::setuid(id) != 0) ::_exit(125);
  }
  if (::chdir(invocation.folder.c_str()) != 0) ::_exit(126);
  std::vector<std::string> envp = invocation.environment;
  // A sanitized build's settings reach the program under test too.
  for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
    if (const char* value = std::getenv(name)) envp.push_back(std::string(name) + "=" + value);
  }
  ::execve(argv[0].c_str(), Pointers(argv).data(), Pointers(envp).data());
  ::_exit(127);
}

}  // namespace

ChildProcess::ChildProcess(const Invocation& invocation)
    : invocation_(invocation), capture_(std::make_unique<TempFolder>()) {
  std::vector<std::string> argv = CommandLine(invocation);
  if (argv[0].find('/') == std::string::npos) argv[0] = "/usr/bin/" + argv[0];
  WriteFile(*capture_ / "in", invocation.input);
  int out = ::open((*capture_ / "out").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  if (invocation.output == Invocation::Output::Full) {
    ::close(out);
    out = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  } else if (invocation.output == Invocation::Output::BrokenPipe) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    ::close(out);
    ::close(ends[0]);
    out = ends[1];
  }
  const int err = ::open((*capture_ / "err").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  int input = -1;
  if (invocation.terminal) {
    if (::openpty(&master_, &input, nullptr, nullptr, nullptr) != 0) {
      throw std::runtime_error("openpty failed");
    }
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  } else {
    input = ::open((*capture_ / "in").c_str(), O_RDONLY | O_CLOEXEC);
  }
  pid_ = ::fork();
  if (pid_ == 0) RunChild(invocation, argv, input, out, err);
  for (int fd : {out, err, input}) ::close(fd);
  if (master_ >= 0) {
    // Typed ahead: the terminal keeps it until the program reads.
    if (::write(master_, invocation.input.data(), invocation.input.size()) < 0) {
      throw std::runtime_error("cannot type on the terminal");
    }
  }
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (master_ >= 0) ::close(master_);
}

void ChildProcess::Signal(int signal) const { ::kill(pid_, signal); }

Outcome ChildProcess::Wait() {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(invocation_.timeoutSeconds);
  int status = 0;
  while (::waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  pid_ = -1;
  Outcome outcome;
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  outcome.out = ReadFile(*capture_ / "out");
  outcome.err = ReadFile(*capture_ / "err");
  return outcome;
}

}  // namespace orbisk::testing
