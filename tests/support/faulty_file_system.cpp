// The real file system with chosen calls made to fail, come back short or be interrupted.
#include "faulty_file_system.hpp"

#include <algorithm>
#include <cerrno>

namespace orbisk::testing {

const char* StepName(Step step) {
  static const char* const names[kStepCount] = {
      "Stat",           "StatNoFollow",   "ResolvePath", "CheckWritable", "Umask",
      "OpenFolder",     "OpenForReading", "StatOpen",    "CreateUnnamed", "CreateNew",
      "SetPermissions", "SetOwner",       "Read",        "Write",         "CopyRange",
      "Sync",           "Close",          "LinkUnnamed", "Rename",        "RenameNoReplace",
      "Link",           "Remove"};
  return names[static_cast<std::size_t>(step)];
}

void FaultyFileSystem::FailAt(Step step, int occurrence, int error) {
  rules_.push_back({step, occurrence, error});
}

void FaultyFileSystem::Before(Step step, std::function<void()> action) {
  actions_.emplace_back(step, std::move(action));
}

int FaultyFileSystem::FirstIndex(Step step) const {
  const auto found = std::find(log_.begin(), log_.end(), step);
  return found == log_.end() ? -1 : static_cast<int>(found - log_.begin());
}

int FaultyFileSystem::Fault(Step step) {
  const int call = ++calls_[Index(step)];
  log_.push_back(step);
  for (auto& [when, action] : actions_) {
    if (when == step && action) {
      std::function<void()> once = std::move(action);
      action = nullptr;
      once();
    }
  }
  for (const Rule& rule : rules_) {
    if (rule.step == step && (rule.occurrence == 0 || rule.occurrence == call)) {
      ++faults_;
      return rule.error;
    }
  }
  return 0;
}

int FaultyFileSystem::Transfer(Step step, std::size_t& size, std::size_t& done) {
  done = 0;
  if (int e = Fault(step)) return e;
  if (interrupt_ && transfers_++ % 2 == 0) return EINTR;
  if (transferLimit_ > 0) size = std::min(size, transferLimit_);
  return 0;
}

int FaultyFileSystem::Stat(int folder, const std::string& name, FileInfo& info) {
  if (int e = Fault(Step::Stat)) return e;
  return real_.Stat(folder, name, info);
}

int FaultyFileSystem::StatNoFollow(int folder, const std::string& name, FileInfo& info,
                                   bool& isLink) {
  if (int e = Fault(Step::StatNoFollow)) return e;
  return real_.StatNoFollow(folder, name, info, isLink);
}

int FaultyFileSystem::ResolvePath(const std::string& path, std::string& resolved) {
  if (int e = Fault(Step::ResolvePath)) return e;
  return real_.ResolvePath(path, resolved);
}

int FaultyFileSystem::CheckWritable(int folder, const std::string& name) {
  if (int e = Fault(Step::CheckWritable)) return e;
  return real_.CheckWritable(folder, name);
}

mode_t FaultyFileSystem::Umask() {
  Fault(Step::Umask);
  return real_.Umask();
}

int FaultyFileSystem::OpenFolder(const std::string& path, int& fd) {
  if (int e = Fault(Step::OpenFolder)) return e;
  return real_.OpenFolder(path, fd);
}

int FaultyFileSystem::OpenForReading(const std::string& path, int& fd) {
  if (int e = Fault(Step::OpenForReading)) return e;
  return real_.OpenForReading(path, fd);
}

int FaultyFileSystem::StatOpen(int fd, FileInfo& info) {
  if (int e = Fault(Step::StatOpen)) return e;
  return real_.StatOpen(fd, info);
}

int FaultyFileSystem::CreateUnnamed(int folder, mode_t mode, int& fd) {
  if (int e = Fault(Step::CreateUnnamed)) return e;
  return real_.CreateUnnamed(folder, mode, fd);
}

int FaultyFileSystem::CreateNew(int folder, const std::string& name, mode_t mode, int& fd) {
  if (int e = Fault(Step::CreateNew)) return e;
  return real_.CreateNew(folder, name, mode, fd);
}

int FaultyFileSystem::SetPermissions(int fd, mode_t permissions) {
  if (int e = Fault(Step::SetPermissions)) return e;
  return real_.SetPermissions(fd, permissions);
}

int FaultyFileSystem::SetOwner(int fd, uid_t owner, gid_t group) {
  if (int e = Fault(Step::SetOwner)) return e;
  return real_.SetOwner(fd, owner, group);
}

int FaultyFileSystem::Read(int fd, unsigned char* buffer, std::size_t size, std::size_t& done) {
  if (int e = Transfer(Step::Read, size, done)) return e;
  return real_.Read(fd, buffer, size, done);
}

int FaultyFileSystem::Write(int fd, const unsigned char* buffer, std::size_t size,
                            std::size_t& done) {
  if (int e = Transfer(Step::Write, size, done)) return e;
  return real_.Write(fd, buffer, size, done);
}

int FaultyFileSystem::CopyRange(int in, int out, std::size_t size, std::size_t& done) {
  if (int e = Transfer(Step::CopyRange, size, done)) return e;
  return real_.CopyRange(in, out, size, done);
}

int FaultyFileSystem::Sync(int fd) {
  if (int e = Fault(Step::Sync)) return e;
  return real_.Sync(fd);
}

int FaultyFileSystem::Close(int fd) {
  // A failed close still releases the descriptor, as on Linux.
  const int e = Fault(Step::Close);
  const int real = real_.Close(fd);
  return e != 0 ? e : real;
}

int FaultyFileSystem::LinkUnnamed(int fd, int folder, const std::string& name) {
  if (int e = Fault(Step::LinkUnnamed)) return e;
  return real_.LinkUnnamed(fd, folder, name);
}

int FaultyFileSystem::Rename(int folder, const std::string& from, const std::string& to) {
  if (int e = Fault(Step::Rename)) return e;
  return real_.Rename(folder, from, to);
}

int FaultyFileSystem::RenameNoReplace(int folder, const std::string& from, const std::string& to) {
  if (int e = Fault(Step::RenameNoReplace)) return e;
  return real_.RenameNoReplace(folder, from, to);
}

int FaultyFileSystem::Link(int folder, const std::string& from, const std::string& to) {
  if (int e = Fault(Step::Link)) return e;
  return real_.Link(folder, from, to);
}

int FaultyFileSystem::Remove(int folder, const std::string& name) {
  if (int e = Fault(Step::Remove)) return e;
  return real_.Remove(folder, name);
}

}  // namespace orbisk::testing
