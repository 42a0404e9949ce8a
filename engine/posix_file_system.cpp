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

}  // namespace

int PosixFileSystem::Stat(const std::string& path, FileInfo& info) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    info = FileInfo{};
    return (errno == ENOENT || errno == ENOTDIR) ? 0 : errno;
  }
  info = InfoFrom(st);
  return 0;
}

int PosixFileSystem::StatNoFollow(const std::string& path, FileInfo& info, bool& isLink) {
  struct stat st {};
  isLink = false;
  if (::lstat(path.c_str(), &st) != 0) {
    info = FileInfo{};
    return (errno == ENOENT || errno == ENOTDIR) ? 0 : errno;
  }
  info = InfoFrom(st);
  isLink = S_ISLNK(st.st_mode);
  return 0;
}

int PosixFileSystem::ResolvePath(const std::string& path, std::string& resolved) {
  std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
  if (!real) return errno;
  resolved = real.get();
  return 0;
}

int PosixFileSystem::CheckWritable(const std::string& path) {
  return Result(::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS));
}

mode_t PosixFileSystem::Umask() {
  mode_t mask = 0;
  if (UmaskFromProc(mask)) return mask;
  // Without /proc, setting it is the only way to read it.
  mask = ::umask(077);
  ::umask(mask);
  return mask;
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

int PosixFileSystem::CreateUnnamed(const std::string& directory, mode_t mode, int& fd) {
  fd = -1;
  if (!ProcFdAvailable()) return EOPNOTSUPP;
  const std::string folder = directory.empty() ? "." : directory;
  fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  return Result(fd);
}

int PosixFileSystem::CreateNew(const std::string& path, mode_t mode, int& fd) {
  fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
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

int PosixFileSystem::LinkUnnamed(int fd, const std::string& path) {
  // Linking the descriptor itself spares a walk through /proc, but needs a capability that
  // only root has on most kernels; once refused it is not tried again.
  static bool emptyPathRefused = false;
  if (!emptyPathRefused) {
    if (::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) return 0;
    if (errno != ENOENT && errno != EPERM) return errno;
    emptyPathRefused = true;
  }
  return Result(
      ::linkat(AT_FDCWD, ProcFdPath(fd).c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW));
}

int PosixFileSystem::Rename(const std::string& from, const std::string& to) {
  return Result(::rename(from.c_str(), to.c_str()));
}

int PosixFileSystem::RenameNoReplace(const std::string& from, const std::string& to) {
  return Result(::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE));
}

int PosixFileSystem::Link(const std::string& from, const std::string& to) {
  return Result(::link(from.c_str(), to.c_str()));
}

int PosixFileSystem::Remove(const std::string& path) { return Result(::unlink(path.c_str())); }

}  // namespace orbisk
