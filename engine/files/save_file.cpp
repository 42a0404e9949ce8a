// Writes a file beside its final place and puts it there in one step on commit.
#include "save_file.hpp"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <random>

#include "signal_cleanup.hpp"

namespace orbisk {
namespace {

constexpr int kTemporaryNameAttempts = 100;

// A fresh hidden name, short enough to fit in any folder.
std::string FreshTemporaryName() {
  static std::mt19937_64 generator = [] {
    std::random_device device;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    std::seed_seq seed{device(), device(), static_cast<unsigned>(::getpid()),
                       static_cast<unsigned>(now)};
    return std::mt19937_64(seed);
  }();
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, "%012llx",
                static_cast<unsigned long long>(generator() & 0xffffffffffffULL));
  return std::string(".orbisk-") + suffix + ".tmp";
}

bool UnnamedFilesUnsupported(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

}  // namespace

int SaveFile::Open(mode_t newMode) {
  newMode_ = newMode;
  const int e = files_.CreateUnnamed(folder_, newMode, fd_);
  if (e == 0 || !UnnamedFilesUnsupported(e)) return e;
  return NameTemporary(
      [this](const std::string& name) { return files_.CreateNew(folder_, name, 0600, fd_); });
}

int SaveFile::NameTemporary(const std::function<int(const std::string&)>& create) {
  // The handlers come now rather than at start-up: until a named temporary file exists there
  // is nothing to remove, and installing them costs a short run more than its work. They
  // must be in place before the name exists, for a signal that another thread takes then.
  // Installing again changes nothing but the handler of a signal someone reset since.
  InstallSignalCleanup();
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    const std::string name = FreshTemporaryName();
    SignalsHeld held;
    const int e = create(name);
    if (e == 0) {
      RegisterTemporary(folder_, name.c_str());
      temporary_ = name;
      return 0;
    }
    if (e != EEXIST) return e;
  }
  return EEXIST;
}

void SaveFile::ForgetName() {
  ForgetTemporary();
  temporary_.clear();
}

int WriteFully(FileSystem& files, int fd, const unsigned char* data, std::size_t size) {
  while (size > 0) {
    std::size_t done = 0;
    const int e = files.Write(fd, data, size, done);
    if (e == EINTR) continue;
    if (e != 0) return e;
    if (done == 0) return EIO;
    data += done;
    size -= done;
  }
  return 0;
}

int SaveFile::Write(const unsigned char* data, std::size_t size) {
  return WriteFully(files_, fd_, data, size);
}

int SaveFile::CopyFrom(InputFile& in, std::size_t size, std::size_t& done) {
  int e;
  do {
    e = files_.CopyRange(in.fd_, fd_, size, done);
  } while (e == EINTR);
  return e;
}

int SaveFile::CommitNew() {
  if (temporary_.empty()) {
    // Linking fails if the name is taken, and the file appears whole, with its permissions.
    if (int e = files_.LinkUnnamed(fd_, folder_, name_)) return e;
    return CloseCommittedNew();
  }
  if (int e = files_.SetPermissions(fd_, newMode_ & ~files_.Umask() & 07777)) return e;
  int e = files_.RenameNoReplace(folder_, temporary_, name_);
  // Where the file system cannot rename without replacing, a new link fails just as safely.
  const bool linked =
      (e == EINVAL || e == ENOSYS) && (e = files_.Link(folder_, temporary_, name_)) == 0;
  if (e != 0) return e;
  {
    SignalsHeld held;
    if (linked) files_.Remove(folder_, temporary_);
    ForgetName();
  }
  return CloseCommittedNew();
}

int SaveFile::CloseCommittedNew() {
  const int e = files_.Close(fd_);
  fd_ = -1;
  if (e != 0) {
    // The content may not all have reached the file: take it away again, trying twice as
    // for a temporary file.
    if (files_.Remove(folder_, name_) != 0) files_.Remove(folder_, name_);
    return e;
  }
  committed_ = true;
  return 0;
}

int SaveFile::CommitReplacing(const FileInfo& replaced) {
  // The owner first: changing it clears the set-user-ID and set-group-ID bits. Only root,
  // or the owner within its own groups, may change it; otherwise the file stays ours.
  const int owner = files_.SetOwner(fd_, replaced.owner, replaced.group);
  if (owner != 0 && owner != EPERM) return owner;
  if (int e = files_.SetPermissions(fd_, replaced.permissions)) return e;
  // A replaced target must never come back empty after a crash, so the new content reaches
  // the disk before its name does.
  if (int e = files_.Sync(fd_)) return e;
  if (temporary_.empty()) {
    // An unnamed file cannot replace anything: it gets a temporary name first.
    if (int e = NameTemporary(
            [this](const std::string& name) { return files_.LinkUnnamed(fd_, folder_, name); })) {
      return e;
    }
  }
  const int closed = files_.Close(fd_);
  fd_ = -1;
  if (closed != 0) return closed;
  return RenameIntoPlace();
}

int SaveFile::RenameIntoPlace() {
  SignalsHeld held;
  if (int e = files_.Rename(folder_, temporary_, name_)) return e;
  ForgetName();
  committed_ = true;
  return 0;
}

int SaveFile::Discard() {
  if (fd_ >= 0) files_.Close(fd_);
  fd_ = -1;
  if (committed_ || temporary_.empty()) return 0;
  // Tried twice, since it may be on a file system that fails only now and then; after that
  // the name is only reported, and kept for TemporaryName().
  SignalsHeld held;
  int e = files_.Remove(folder_, temporary_);
  if (e != 0 && e != ENOENT) e = files_.Remove(folder_, temporary_);
  ForgetTemporary();
  committed_ = true;
  if (e == 0 || e == ENOENT) {
    temporary_.clear();
    return 0;
  }
  return e;
}

}  // namespace orbisk
