// The real file system, through POSIX calls.
#pragma once

#include "file_system.hpp"

namespace orbisk {

class PosixFileSystem final : public FileSystem {
 public:
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
};

}  // namespace orbisk
