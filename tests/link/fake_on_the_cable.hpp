// The fake calculator started as a program of its own (fake_calculator), holding the TiEmu
// cable's emulator end, for tests that run the real orbisk or the editor against it. One
// at a time on a machine: the cable's pipes and count are in /tmp.
#pragma once

#include <signal.h>

#include <cstdio>
#include <string>
#include <vector>

namespace orbisk::testing {

// The fake, started from `program`; it holds `files`' variables. Stopping it stores what it
// holds in `store`, a file FOLDER.NAME a variable.
class FakeOnTheCable {
 public:
  FakeOnTheCable(const std::string& program, const std::string& model, const std::string& store,
                 const std::vector<std::string>& files) {
    std::string command = program + " " + model + " '" + store + "'";
    for (const std::string& file : files) command += " '" + file + "'";
    pipe_ = ::popen(command.c_str(), "r");
    // Its first line says its end of the cable is open: nothing is sent before.
    char line[64] = {};
    if (pipe_ != nullptr && std::fgets(line, sizeof line, pipe_) != nullptr) {
      std::sscanf(line, "prêt %d", &pid_);
    }
  }
  ~FakeOnTheCable() { Stop(); }
  FakeOnTheCable(const FakeOnTheCable&) = delete;
  FakeOnTheCable& operator=(const FakeOnTheCable&) = delete;
  bool ready() const { return pid_ > 0; }
  // Stops it and waits until it has stored what it holds.
  void Stop() {
    if (pipe_ == nullptr) return;
    if (pid_ > 0) ::kill(pid_, SIGTERM);
    char line[64];
    while (std::fgets(line, sizeof line, pipe_) != nullptr) {
    }
    ::pclose(pipe_);
    pipe_ = nullptr;
  }

 private:
  FILE* pipe_ = nullptr;
  int pid_ = 0;
};

}  // namespace orbisk::testing
