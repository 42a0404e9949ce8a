// The real file system, through POSIX and Linux calls.
#pragma once

#include "file_system.hpp"

namespace orbisk {

class PosixFileSystem final : public FileSystem {
 public:
  int Stat(const std::string& path, FileInfo& info) override;
  int StatNoFollow(const std::string& path, FileInfo& info, bool& isLink) override;
  int ResolvePath(const std::string& path, std::string& resolved) override;
  int CheckWritable(const std::string& path) override;
  mode_t Umask() override;
  int OpenForReading(const std::string& path, int& fd) override;
  int StatOpen(int fd, FileInfo& info) override;
  int CreateUnnamed(const std::string& directory, mode_t mode, int& fd) override;
  int CreateNew(const std::string& path, mode_t mode, int& fd) override;
  int SetPermissions(int fd, mode_t permissions) override;
  int SetOwner(int fd, uid_t owner, gid_t group) override;
  int Read(int fd, unsigned char* buffer, std::size_t size, std::size_t& done) override;
  int Write(int fd, const unsigned char* buffer, std::size_t size, std::size_t& done) override;
  int CopyRange(int in, int out, std::size_t size, std::size_t& done) override;
  int Sync(int fd) override;
  int Close(int fd) override;
  int LinkUnnamed(int fd, const std::string& path) override;
  int Rename(const std::string& from, const std::string& to) override;
  int RenameNoReplace(const std::string& from, const std::string& to) override;
  int Link(const std::string& from, const std::string& to) override;
  int Remove(const std::string& path) override;
};

}  // namespace orbisk
