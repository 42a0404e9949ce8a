// Where recovery copies are kept.
#include "recovery_store.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "input_file.hpp"
#include "save_file.hpp"

namespace orbisk {
namespace {

std::uint64_t Fnv1a(const std::string& bytes) {
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3u;
  }
  return hash;
}

// Makes `path`'s missing parents for everyone to read, and `path` for its owner only.
void MakeFolders(const std::string& path) {
  for (std::size_t at = 1; at != std::string::npos;) {
    at = path.find('/', at + 1);
    const std::string part = path.substr(0, at);
    ::mkdir(part.c_str(), at == std::string::npos ? 0700 : 0755);
  }
}

}  // namespace

RecoveryStore::RecoveryStore(FileSystem& files, std::string folder)
    : files_(files), folder_(folder.empty() ? DefaultFolder() : std::move(folder)) {}

RecoveryStore::~RecoveryStore() {
  // The copies still kept stay, for a later run to offer: only their locks go.
  for (const auto& [key, fd] : held_) ::close(fd);
}

std::string RecoveryStore::DefaultFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') return std::string(state) + "/orbisk";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.local/state/orbisk";
  // Without HOME, the home the system names; without one, none: never a shared folder.
  const passwd* user = ::getpwuid(::getuid());
  if (user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/') {
    return std::string(user->pw_dir) + "/.local/state/orbisk";
  }
  return {};
}

std::string RecoveryStore::PrefixFor(const std::string& path) {
  if (path.empty()) return "n";
  std::string resolved;
  if (files_.ResolvePath(path, resolved) != 0) resolved = path;
  char hash[24];
  std::snprintf(hash, sizeof hash, "f%016llx", static_cast<unsigned long long>(Fnv1a(resolved)));
  return hash;
}

std::string RecoveryStore::KeyFor(const std::string& path) {
  // A random part no other window, run or reused process number can take.
  static std::mt19937_64 random{std::random_device{}()};
  char part[24];
  std::snprintf(part, sizeof part, ".%016llx", static_cast<unsigned long long>(random()));
  return PrefixFor(path) + part;
}

int RecoveryStore::OpenFolder(Error& error) {
  if (folder_.empty()) {
    error = Error::RecoveryFolderUnsafe(folder_, ENOENT);
    return -1;
  }
  MakeFolders(folder_);
  const int fd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    error = Error::RecoveryFolderUnsafe(folder_, errno);
    return -1;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || info.st_uid != ::getuid() || (info.st_mode & 077) != 0) {
    ::close(fd);
    error = Error::RecoveryFolderUnsafe(folder_, EACCES);
    return -1;
  }
  return fd;
}

Status RecoveryStore::Keep(const std::string& key, const std::string& bytes) {
  Error error;
  const int folder = OpenFolder(error);
  if (folder < 0) return error;
  // Written under a name of its own, locked, then put in place: neither name is followed
  // if it is a link (the first is new, the rename replaces a link rather than its target).
  const std::string temporary = "." + key + ".tmp";
  const int fd =
      ::openat(folder, temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  int e = fd < 0 ? errno : 0;
  if (e == 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) e = errno;
  if (e == 0) {
    e = WriteFully(files_, fd, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  }
  if (e == 0 && ::fsync(fd) != 0) e = errno;
  if (e == 0 && ::renameat(folder, temporary.c_str(), folder, key.c_str()) != 0) e = errno;
  if (e != 0) {
    if (fd >= 0) {
      ::unlinkat(folder, temporary.c_str(), 0);
      ::close(fd);
    }
    ::close(folder);
    return Error::System(SystemError::CannotWrite, folder_ + "/" + key, e);
  }
  ::close(folder);
  // The copy it replaces, whose lock goes with it.
  if (const auto before = held_.find(key); before != held_.end()) ::close(before->second);
  held_[key] = fd;
  return {};
}

void RecoveryStore::Drop(const std::string& key) {
  Error error;
  const int folder = OpenFolder(error);
  if (folder >= 0) {
    ::unlinkat(folder, key.c_str(), 0);
    ::close(folder);
  }
  if (const auto held = held_.find(key); held != held_.end()) {
    ::close(held->second);
    held_.erase(held);
  }
}

std::vector<RecoveryStore::Left> RecoveryStore::LeftBehind(const std::string& path) {
  std::vector<Left> left;
  Error error;
  const int folder = OpenFolder(error);
  if (folder < 0) return left;
  const std::string prefix = PrefixFor(path) + ".";
  std::vector<std::string> names;
  if (DIR* entries = ::fdopendir(::dup(folder))) {
    while (const dirent* entry = ::readdir(entries)) {
      const std::string name = entry->d_name;
      if (name.compare(0, prefix.size(), prefix) == 0 && held_.count(name) == 0) {
        names.push_back(name);
      }
    }
    ::closedir(entries);
  }
  for (const std::string& name : names) {
    const int fd = ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    InputFile in(files_);
    in.Adopt(fd);
    // A copy whose lock a running window holds is that window's; only files are copies.
    FileInfo info;
    std::string bytes;
    if (in.Stat(info) == 0 && info.kind == FileKind::Regular &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 && in.ReadAll(bytes, std::size_t{1} << 20) == 0) {
      left.push_back({name, std::move(bytes)});
    }
  }
  ::close(folder);
  return left;
}

}  // namespace orbisk
