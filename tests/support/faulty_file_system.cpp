// The real file system with one chosen call made to fail, to test every failure path.
#include "faulty_file_system.hpp"

namespace orbisk::testing {

const char* StepName(Step step) {
  static const char* const names[kStepCount] = {
      "Stat",      "IsSymbolicLink", "ResolvePath", "OpenForReading", "StatOpen",
      "CreateNew", "SetPermissions", "Read",        "Write",          "CopyRange",
      "Sync",      "Close",          "Rename",      "Remove"};
  return names[static_cast<std::size_t>(step)];
}

void FaultyFileSystem::FailAt(Step step, int occurrence, int error) {
  rules_.push_back({step, occurrence, error});
}

int FaultyFileSystem::Fault(Step step) {
  const int call = ++calls_[Index(step)];
  for (const Rule& rule : rules_) {
    if (rule.step == step && (rule.occurrence == 0 || rule.occurrence == call)) {
      ++faults_;
      return rule.error;
    }
  }
  return 0;
}

int FaultyFileSystem::Stat(const std::string& path, FileInfo& info) {
  if (int e = Fault(Step::Stat)) return e;
  return real_.Stat(path, info);
}

int FaultyFileSystem::IsSymbolicLink(const std::string& path, bool& isLink) {
  if (int e = Fault(Step::IsSymbolicLink)) return e;
  return real_.IsSymbolicLink(path, isLink);
}

int FaultyFileSystem::ResolvePath(const std::string& path, std::string& resolved) {
  if (int e = Fault(Step::ResolvePath)) return e;
  return real_.ResolvePath(path, resolved);
}

int FaultyFileSystem::OpenForReading(const std::string& path, int& fd) {
  if (int e = Fault(Step::OpenForReading)) return e;
  return real_.OpenForReading(path, fd);
}

int FaultyFileSystem::StatOpen(int fd, FileInfo& info) {
  if (int e = Fault(Step::StatOpen)) return e;
  return real_.StatOpen(fd, info);
}

int FaultyFileSystem::CreateNew(const std::string& path, int& fd) {
  if (int e = Fault(Step::CreateNew)) return e;
  return real_.CreateNew(path, fd);
}

int FaultyFileSystem::SetPermissions(int fd, mode_t permissions) {
  if (int e = Fault(Step::SetPermissions)) return e;
  return real_.SetPermissions(fd, permissions);
}

int FaultyFileSystem::Read(int fd, unsigned char* buffer, std::size_t size, std::size_t& done) {
  if (int e = Fault(Step::Read)) return e;
  return real_.Read(fd, buffer, size, done);
}

int FaultyFileSystem::Write(int fd, const unsigned char* buffer, std::size_t size) {
  if (int e = Fault(Step::Write)) return e;
  return real_.Write(fd, buffer, size);
}

int FaultyFileSystem::CopyRange(int in, int out, std::size_t size, std::size_t& done) {
  if (int e = Fault(Step::CopyRange)) return e;
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

int FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
  if (int e = Fault(Step::Rename)) return e;
  return real_.Rename(from, to);
}

int FaultyFileSystem::Remove(const std::string& path) {
  if (int e = Fault(Step::Remove)) return e;
  return real_.Remove(path);
}

}  // namespace orbisk::testing
