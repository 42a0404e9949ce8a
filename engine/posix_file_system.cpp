// The real file system, through POSIX calls.
#include "posix_file_system.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
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
  return info;
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

int PosixFileSystem::IsSymbolicLink(const std::string& path, bool& isLink) {
  struct stat st {};
  isLink = false;
  if (::lstat(path.c_str(), &st) != 0) return errno;
  isLink = S_ISLNK(st.st_mode);
  return 0;
}

int PosixFileSystem::ResolvePath(const std::string& path, std::string& resolved) {
  std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
  if (!real) return errno;
  resolved = real.get();
  return 0;
}

int PosixFileSystem::OpenForReading(const std::string& path, int& fd) {
  fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  return fd < 0 ? errno : 0;
}

int PosixFileSystem::StatOpen(int fd, FileInfo& info) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return errno;
  info = InfoFrom(st);
  return 0;
}

int PosixFileSystem::CreateNew(const std::string& path, int& fd) {
  fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
  return fd < 0 ? errno : 0;
}

int PosixFileSystem::SetPermissions(int fd, mode_t permissions) {
  return ::fchmod(fd, permissions) == 0 ? 0 : errno;
}

int PosixFileSystem::Read(int fd, unsigned char* buffer, std::size_t size, std::size_t& done) {
  done = 0;
  for (;;) {
    const ssize_t n = ::read(fd, buffer, size);
    if (n >= 0) {
      done = static_cast<std::size_t>(n);
      return 0;
    }
    if (errno != EINTR) return errno;
  }
}

int PosixFileSystem::Write(int fd, const unsigned char* buffer, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, buffer, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    buffer += n;
    size -= static_cast<std::size_t>(n);
  }
  return 0;
}

int PosixFileSystem::CopyRange(int in, int out, std::size_t size, std::size_t& done) {
  done = 0;
  for (;;) {
    const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, size, 0);
    if (n >= 0) {
      done = static_cast<std::size_t>(n);
      return 0;
    }
    if (errno != EINTR) return errno;
  }
}

int PosixFileSystem::Sync(int fd) { return ::fsync(fd) == 0 ? 0 : errno; }

int PosixFileSystem::Close(int fd) {
  // Linux releases the descriptor even when close reports an error, so never retry.
  return ::close(fd) == 0 ? 0 : errno;
}

int PosixFileSystem::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int PosixFileSystem::Remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

}  // namespace orbisk
