// Files held in memory, whose reads may come back short and whose kernel copy may be
// refused, as a fuzzer decides: the conversion must give the same bytes every way.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "file_system.hpp"

namespace orbisk::fuzzing {

class MemoryFileSystem final : public FileSystem {
 public:
  using Bytes = std::vector<std::uint8_t>;

  // Read i returns at most readLimits[i % size] bytes (0 stands for no limit).
  MemoryFileSystem(std::vector<std::size_t> readLimits, bool kernelCopy)
      : readLimits_(std::move(readLimits)), kernelCopy_(kernelCopy) {}

  std::map<std::string, Bytes> files;

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
  struct Open {
    std::string path;
    std::size_t position = 0;
  };

  std::vector<std::size_t> readLimits_;
  bool kernelCopy_;
  std::size_t reads_ = 0;
  std::map<int, Open> open_;
  int nextFd_ = 3;
};

}  // namespace orbisk::fuzzing
