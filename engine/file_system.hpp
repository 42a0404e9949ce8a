// The file operations a conversion needs, behind a seam so tests can make any step fail.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace orbisk {

enum class FileKind { Missing, Regular, Directory, Other };

struct FileInfo {
  FileKind kind = FileKind::Missing;
  std::uint64_t size = 0;
  mode_t permissions = 0;
};

// Every call returns 0 or a positive errno value; results come back through out-parameters.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Follows symbolic links. A path that does not exist gives kind Missing and 0.
  virtual int Stat(const std::string& path, FileInfo& info) = 0;
  virtual int IsSymbolicLink(const std::string& path, bool& isLink) = 0;
  virtual int ResolvePath(const std::string& path, std::string& resolved) = 0;

  // Opens without blocking even if the path turns out to be a FIFO or a device.
  virtual int OpenForReading(const std::string& path, int& fd) = 0;
  virtual int StatOpen(int fd, FileInfo& info) = 0;
  // Creates a new file, failing if the name is taken; permissions go through the umask.
  virtual int CreateNew(const std::string& path, int& fd) = 0;
  virtual int SetPermissions(int fd, mode_t permissions) = 0;

  // Reads at most `size` bytes; 0 bytes read means end of file.
  virtual int Read(int fd, unsigned char* buffer, std::size_t size, std::size_t& done) = 0;
  // Writes all `size` bytes or fails.
  virtual int Write(int fd, const unsigned char* buffer, std::size_t size) = 0;
  // Copies from the current position of `in` to that of `out` inside the kernel; 0 copied
  // means end of file. On failure nothing was copied and the caller reads and writes.
  virtual int CopyRange(int in, int out, std::size_t size, std::size_t& done) = 0;
  virtual int Sync(int fd) = 0;
  virtual int Close(int fd) = 0;

  virtual int Rename(const std::string& from, const std::string& to) = 0;
  virtual int Remove(const std::string& path) = 0;
};

}  // namespace orbisk
