// The real file system with chosen calls made to fail, come back short or be interrupted,
// and a log of every call, to test every failure path and the order of the steps.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "file_system.hpp"

namespace orbisk::testing {

enum class Step {
  Stat,
  StatNoFollow,
  ResolvePath,
  CheckWritable,
  Umask,
  OpenFolder,
  OpenForReading,
  StatOpen,
  CreateUnnamed,
  CreateNew,
  SetPermissions,
  SetOwner,
  Read,
  Write,
  CopyRange,
  Sync,
  Close,
  LinkUnnamed,
  Rename,
  RenameNoReplace,
  Link,
  Remove,
};
constexpr std::size_t kStepCount = static_cast<std::size_t>(Step::Remove) + 1;
const char* StepName(Step step);

class FaultyFileSystem final : public FileSystem {
 public:
  explicit FaultyFileSystem(FileSystem& real) : real_(real) {}

  // The `occurrence`-th call (from 1) of `step` fails with `error`, or every call when
  // `occurrence` is 0. Several faults may be set; other calls go through.
  void FailAt(Step step, int occurrence, int error);
  // Every Read, Write and CopyRange moves at most `bytes` bytes, as a pipe or a signal can
  // make them.
  void LimitTransfers(std::size_t bytes) { transferLimit_ = bytes; }
  // Every other Read, Write and CopyRange call fails with EINTR before doing anything.
  void InterruptEveryOtherTransfer() { interrupt_ = true; }
  // Runs `action` just before the first call of `step` goes through, as another process
  // acting at that moment would.
  void Before(Step step, std::function<void()> action);

  int Calls(Step step) const { return calls_[Index(step)]; }
  int Faults() const { return faults_; }
  // Every call made, in order.
  const std::vector<Step>& Log() const { return log_; }
  // Where `step` first appears in the log, or -1.
  int FirstIndex(Step step) const;

  int Stat(int folder, const std::string& name, FileInfo& info) override;
  int StatNoFollow(int folder, const std::string& name, FileInfo& info, bool& isLink) override;
  int ResolvePath(const std::string& path, std::string& resolved) override;
  int CheckWritable(int folder, const std::string& name) override;
  mode_t Umask() override;
  int OpenFolder(const std::string& path, int& fd) override;
  int OpenForReading(const std::string& path, int& fd) override;
  int StatOpen(int fd, FileInfo& info) override;
  int CreateUnnamed(int folder, mode_t mode, int& fd) override;
  int CreateNew(int folder, const std::string& name, mode_t mode, int& fd) override;
  int SetPermissions(int fd, mode_t permissions) override;
  int SetOwner(int fd, uid_t owner, gid_t group) override;
  int Read(int fd, unsigned char* buffer, std::size_t size, std::size_t& done) override;
  int Write(int fd, const unsigned char* buffer, std::size_t size, std::size_t& done) override;
  int CopyRange(int in, int out, std::size_t size, std::size_t& done) override;
  int Sync(int fd) override;
  int Close(int fd) override;
  int LinkUnnamed(int fd, int folder, const std::string& name) override;
  int Rename(int folder, const std::string& from, const std::string& to) override;
  int RenameNoReplace(int folder, const std::string& from, const std::string& to) override;
  int Link(int folder, const std::string& from, const std::string& to) override;
  int Remove(int folder, const std::string& name) override;

 private:
  static std::size_t Index(Step step) { return static_cast<std::size_t>(step); }
  // Counts and logs the call and tells the error it must fail with, or 0.
  int Fault(Step step);
  // For a transfer: EINTR when it is interrupted, and the size it may move.
  int Transfer(Step step, std::size_t& size, std::size_t& done);

  FileSystem& real_;
  struct Rule {
    Step step;
    int occurrence;
    int error;
  };
  std::vector<Rule> rules_;
  std::vector<std::pair<Step, std::function<void()>>> actions_;
  std::array<int, kStepCount> calls_{};
  std::vector<Step> log_;
  int faults_ = 0;
  std::size_t transferLimit_ = 0;
  bool interrupt_ = false;
  int transfers_ = 0;
};

}  // namespace orbisk::testing
