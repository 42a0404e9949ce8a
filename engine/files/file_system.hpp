// The file operations Orbisk needs, one system call each, behind a seam so tests can make
// any step fail, come back short or be interrupted.
#pragma once

#include <fcntl.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

namespace orbisk {

enum class FileKind { Missing, Regular, Directory, Other };

struct FileInfo {
  FileKind kind = FileKind::Missing;
  std::uint64_t size = 0;
  mode_t permissions = 0;
  uid_t owner = 0;
  gid_t group = 0;
  dev_t device = 0;
  ino_t inode = 0;
  timespec modified{};

  // Whether both name one existing file (the same device and inode).
  bool SameFileAs(const FileInfo& other) const {
    return kind != FileKind::Missing && other.kind != FileKind::Missing && device == other.device &&
           inode == other.inode;
  }
  // Whether the file is still as `before` saw it: the same file, size and modification time.
  bool Unchanged(const FileInfo& before) const {
    return SameFileAs(before) && size == before.size && modified.tv_sec == before.modified.tv_sec &&
           modified.tv_nsec == before.modified.tv_nsec;
  }
};

// Names in calls that take a folder are relative to that folder's descriptor, from
// OpenFolder; kCurrentFolder stands for the current directory, where a name may be a path.
constexpr int kCurrentFolder = AT_FDCWD;

// Every call returns 0 or a positive errno value; results come back through out-parameters.
// Transfers (Read, Write, CopyRange) may do less than asked and may fail with EINTR, as the
// system calls do: callers loop.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Follows symbolic links. A name that does not exist gives kind Missing and 0.
  virtual int Stat(int folder, const std::string& name, FileInfo& info) = 0;
  // The same without following a final symbolic link: `isLink` tells whether it is one.
  virtual int StatNoFollow(int folder, const std::string& name, FileInfo& info, bool& isLink) = 0;
  virtual int ResolvePath(const std::string& path, std::string& resolved) = 0;
  // Whether this process may write the file (root may write any).
  virtual int CheckWritable(int folder, const std::string& name) = 0;
  // The process's umask, which new files' permissions go through.
  virtual mode_t Umask() = 0;

  // Opens a folder so that names in it can be used whatever the length of its path; the
  // empty path is the current folder.
  virtual int OpenFolder(const std::string& path, int& fd) = 0;
  // Opens without blocking even if the path turns out to be a FIFO or a device.
  virtual int OpenForReading(const std::string& path, int& fd) = 0;
  virtual int StatOpen(int fd, FileInfo& info) = 0;
  // Creates a file with no name in `folder`, to be linked in later; fails with EOPNOTSUPP,
  // EISDIR or EINVAL where the file system cannot.
  virtual int CreateUnnamed(int folder, mode_t mode, int& fd) = 0;
  // Creates a new file, failing with EEXIST if the name is taken; `mode` goes through the umask.
  virtual int CreateNew(int folder, const std::string& name, mode_t mode, int& fd) = 0;
  virtual int SetPermissions(int fd, mode_t permissions) = 0;
  virtual int SetOwner(int fd, uid_t owner, gid_t group) = 0;

  // One read of at most `size` bytes; 0 bytes read means end of file.
  virtual int Read(int fd, unsigned char* buffer, std::size_t size, std::size_t& done) = 0;
  // One write of at most `size` bytes.
  virtual int Write(int fd, const unsigned char* buffer, std::size_t size, std::size_t& done) = 0;
  // One copy from the current position of `in` to that of `out` inside the kernel; 0 copied
  // means end of file.
  virtual int CopyRange(int in, int out, std::size_t size, std::size_t& done) = 0;
  virtual int Sync(int fd) = 0;
  virtual int Close(int fd) = 0;

  // Gives the unnamed file open as `fd` the name `name` in `folder`, failing with EEXIST if
  // it is taken.
  virtual int LinkUnnamed(int fd, int folder, const std::string& name) = 0;
  // Renames, within one folder, over whatever is at `to`.
  virtual int Rename(int folder, const std::string& from, const std::string& to) = 0;
  // Renames only if nothing is at `to` (EEXIST otherwise); EINVAL or ENOSYS where the file
  // system cannot tell.
  virtual int RenameNoReplace(int folder, const std::string& from, const std::string& to) = 0;
  virtual int Link(int folder, const std::string& from, const std::string& to) = 0;
  virtual int Remove(int folder, const std::string& name) = 0;
};

}  // namespace orbisk
