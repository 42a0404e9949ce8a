// The real file system, through POSIX and Linux calls.
#pragma once

#include "file_system.hpp"

namespace orbisk {

class PosixFileSystem final : public FileSystem {
 public:
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
};

}  // namespace orbisk
