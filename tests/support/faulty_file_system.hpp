// The real file system with one chosen call made to fail, to test every failure path.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "file_system.hpp"

namespace orbisk::testing {

enum class Step {
  Stat,
  IsSymbolicLink,
  ResolvePath,
  OpenForReading,
  StatOpen,
  CreateNew,
  SetPermissions,
  Read,
  Write,
  CopyRange,
  Sync,
  Close,
  Rename,
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
  int Calls(Step step) const { return calls_[Index(step)]; }
  int Faults() const { return faults_; }

  int Stat(const std::string& path, FileInfo& info) override;
  int IsSymbolicLink(const std::string& path, bool& isLink) override;
  int ResolvePath(const std::string& path, std::string& resolved) override;
  int OpenForReading(const std::string& path, int& fd) override;
  int StatOpen(int fd, FileInfo& info) override;
  int CreateNew(const std::string& path, int& fd) override;
  int SetPermissions(int fd, mode_t permissions) override;
  int Read(int fd, unsigned char* buffer, std::size_t size, std::size_t& done) override;
  int Write(int fd, const unsigned char* buffer, std::size_t size) override;
  int CopyRange(int in, int out, std::size_t size, std::size_t& done) override;
  int Sync(int fd) override;
  int Close(int fd) override;
  int Rename(const std::string& from, const std::string& to) override;
  int Remove(const std::string& path) override;

 private:
  static std::size_t Index(Step step) { return static_cast<std::size_t>(step); }
  // Counts the call and tells the error it must fail with, or 0.
  int Fault(Step step);

  FileSystem& real_;
  struct Rule {
    Step step;
    int occurrence;
    int error;
  };
  std::vector<Rule> rules_;
  std::array<int, kStepCount> calls_{};
  int faults_ = 0;
};

}  // namespace orbisk::testing
