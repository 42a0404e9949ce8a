// Files held in memory, whose reads and writes may come back short, whose kernel copy and
// unnamed files may be refused, as a fuzzer decides: every way must give the same bytes.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "file_system.hpp"

namespace orbisk::fuzzing {

struct MemoryFaults {
  // Transfer i moves at most limits[i % size] bytes (0 stands for no limit).
  std::vector<std::size_t> transferLimits;
  bool kernelCopy = true;
  bool unnamedFiles = true;
  bool renameNoReplace = true;
};

class MemoryFileSystem final : public FileSystem {
 public:
  using Bytes = std::vector<std::uint8_t>;

  explicit MemoryFileSystem(MemoryFaults faults) : faults_(std::move(faults)) {}

  std::map<std::string, Bytes> files;

  int Stat(int folder, const std::string& name, FileInfo& info) override;
  int StatNoFollow(int folder, const std::string& name, FileInfo& info, bool& isLink) override;
  int ResolvePath(const std::string& path, std::string& resolved) override;
  int CheckWritable(int folder, const std::string& name) override;
  mode_t Umask() override { return 022; }
  int OpenFolder(const std::string& path, int& fd) override;
  int OpenForReading(const std::string& path, int& fd) override;
  int StatOpen(int fd, FileInfo& info) override;
  int CreateUnnamed(int folder, mode_t mode, int& fd) override;
  int CreateNew(int folder, const std::string& name, mode_t mode, int& fd) override;
  int SetPermissions(int, mode_t) override { return 0; }
  int SetOwner(int, uid_t, gid_t) override { return 0; }
  int Read(int fd, unsigned char* buffer, std::size_t size, std::size_t& done) override;
  int Write(int fd, const unsigned char* buffer, std::size_t size, std::size_t& done) override;
  int CopyRange(int in, int out, std::size_t size, std::size_t& done) override;
  int Sync(int) override { return 0; }
  int Close(int fd) override;
  int LinkUnnamed(int fd, int folder, const std::string& name) override;
  int Rename(int folder, const std::string& from, const std::string& to) override;
  int RenameNoReplace(int folder, const std::string& from, const std::string& to) override;
  int Link(int folder, const std::string& from, const std::string& to) override;
  int Remove(int folder, const std::string& name) override;

 private:
  struct Open {
    std::string path;  // empty for an unnamed file
    std::size_t position = 0;
  };
  Bytes& Contents(int fd);
  // The key of `name` in `folder`: folders are prefixes of the names they hold.
  std::string PathOf(int folder, const std::string& name) const;
  std::size_t Limit(std::size_t size);

  MemoryFaults faults_;
  std::map<int, std::string> folders_;
  std::size_t transfers_ = 0;
  std::map<int, Open> open_;
  std::map<int, Bytes> unnamed_;
  int nextFd_ = 3;
};

}  // namespace orbisk::fuzzing
