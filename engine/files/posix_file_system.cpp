// The real file system, through POSIX and Linux calls.
#include "posix_file_system.hpp"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace orbisk {
namespace {

FileInfo InfoFrom(const struct stat& st) {
  FileInfo info;
  if (S_ISREG(st.st_mode)) {
    info.kind = FileKind::Regular;
  } else if (S_ISDIR(st.st_mode)) {
    info.kind = FileKind::Directory;
  } else {
    info.kind = FileKind::Other;
  }
  info.size = static_cast<std::uint64_t>(st.st_size);
  info.permissions = st.st_mode & 07777;
  info.owner = st.st_uid;
  info.group = st.st_gid;
  info.device = st.st_dev;
  info.inode = st.st_ino;
  info.modified = st.st_mtim;
  return info;
}

int Result(long value) { return value < 0 ? errno : 0; }

// An unnamed file is linked in through its /proc/self/fd entry, so without /proc it could
// never get a name.
bool ProcFdAvailable() {
  static const bool available = ::access("/proc/self/fd", X_OK) == 0;
  return available;
}

std::string ProcFdPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

// Reads the "Umask:" line of /proc/self/status, which leaves the umask as it is.
bool UmaskFromProc(mode_t& mask) {
  std::unique_ptr<FILE, int (*)(FILE*)> status(std::fopen("/proc/self/status", "re"), &std::fclose);
  if (!status) return false;
  char line[256];
  while (std::fgets(line, sizeof line, status.get()) != nullptr) {
    if (std::strncmp(line, "Umask:", 6) == 0) {
      mask = static_cast<mode_t>(std::strtoul(line + 6, nullptr, 8));
      return true;
    }
  }
  return false;
}

// A name that does not exist, or whose folder does not, is no error: it is missing.
int StatAt(int folder, const std::string& name, FileInfo& info, int flags, bool* isLink) {
  struct stat st {};
  if (::fstatat(folder, name.c_str(), &st, flags) != 0) {
    info = FileInfo{};
    return (errno == ENOENT || errno == ENOTDIR) ? 0 : errno;
  }
  info = InfoFrom(st);
  if (isLink != nullptr) *isLink = S_ISLNK(st.st_mode);
  return 0;
}

}  // namespace

int PosixFileSystem::Stat(int folder, const std::string& name, FileInfo& info) {
  return StatAt(folder, name, info, 0, nullptr);
}

int PosixFileSystem::StatNoFollow(int folder, const std::string& name, FileInfo& info,
                                  bool& isLink) {
  isLink = false;
  return StatAt(folder, name, info, AT_SYMLINK_NOFOLLOW, &isLink);
}

int PosixFileSystem::ResolvePath(const std::string& path, std::string& resolved) {
  std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
  if (!real) return errno;
  resolved = real.get();
  return 0;
}

int PosixFileSystem::CheckWritable(int folder, const std::string& name) {
  return Result(::faccessat(folder, name.c_str(), W_OK, AT_EACCESS));
}

mode_t PosixFileSystem::Umask() {
  mode_t mask = 0;
  if (UmaskFromProc(mask)) return mask;
  // Without /proc, setting it is the only way to read it.
  mask = ::umask(077);
  ::umask(mask);
  return mask;
}

int PosixFileSystem::OpenFolder(const std::string& path, int& fd) {
  fd = ::open(path.empty() ? "." : path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  return Result(fd);
}

int PosixFileSystem::OpenForReading(const std::string& path, int& fd) {
  fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  return Result(fd);
}

int PosixFileSystem::StatOpen(int fd, FileInfo& info) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return errno;
  info = InfoFrom(st);
  return 0;
}

int PosixFileSystem::CreateUnnamed(int folder, mode_t mode, int& fd) {
  fd = -1;
  if (!ProcFdAvailable()) return EOPNOTSUPP;
  fd = ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  return Result(fd);
}

int PosixFileSystem::CreateNew(int folder, const std::string& name, mode_t mode, int& fd) {
  fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
  return Result(fd);
}

int PosixFileSystem::SetPermissions(int fd, mode_t permissions) {
  return Result(::fchmod(fd, permissions));
}

int PosixFileSystem::SetOwner(int fd, uid_t owner, gid_t group) {
  return Result(::fchown(fd, owner, group));
}

int PosixFileSystem::Read(int fd, unsigned char* buffer, std::size_t size, std::size_t& done) {
  const ssize_t n = ::read(fd, buffer, size);
  done = n > 0 ? static_cast<std::size_t>(n) : 0;
  return Result(n);
}

int PosixFileSystem::Write(int fd, const unsigned char* buffer, std::size_t size,
                           std::size_t& done) {
  const ssize_t n = ::write(fd, buffer, size);
  done = n > 0 ? static_cast<std::size_t>(n) : 0;
  return Result(n);
}

int PosixFileSystem::CopyRange(int in, int out, std::size_t size, std::size_t& done) {
  const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, size, 0);
  done = n > 0 ? static_cast<std::size_t>(n) : 0;
  return Result(n);
}

int PosixFileSystem::Sync(int fd) { return Result(::fsync(fd)); }

int PosixFileSystem::Close(int fd) {
  // Linux releases the descriptor even when close reports an error, so never retry.
  return Result(::close(fd));
}

int PosixFileSystem::LinkUnnamed(int fd, int folder, const std::string& name) {
  // Linking the descriptor itself spares a walk through /proc, but needs a capability that
  // only root has on most kernels; once refused it is not tried again.
  static bool emptyPathRefused = false;
  if (!emptyPathRefused) {
    if (::linkat(fd, "", folder, name.c_str(), AT_EMPTY_PATH) == 0) return 0;
    if (errno != ENOENT && errno != EPERM) return errno;
    emptyPathRefused = true;
  }
  return Result(
      ::linkat(AT_FDCWD, ProcFdPath(fd).c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW));
}

int PosixFileSystem::Rename(int folder, const std::string& from, const std::string& to) {
  return Result(::renameat(folder, from.c_str(), folder, to.c_str()));
}

int PosixFileSystem::RenameNoReplace(int folder, const std::string& from, const std::string& to) {
  return Result(::renameat2(folder, from.c_str(), folder, to.c_str(), RENAME_NOREPLACE));
}

int PosixFileSystem::Link(int folder, const std::string& from, const std::string& to) {
  return Result(::linkat(folder, from.c_str(), folder, to.c_str(), 0));
}

int PosixFileSystem::Remove(int folder, const std::string& name) {
  return Result(::unlinkat(folder, name.c_str(), 0));
}

}  // namespace orbisk
