// Files held in memory, whose transfers may come back short and whose kernel copy and
// unnamed files may be refused.
#include "memory_file_system.hpp"

#include <algorithm>
#include <cerrno>

namespace orbisk::fuzzing {

MemoryFileSystem::Bytes& MemoryFileSystem::Contents(int fd) {
  const Open& file = open_.at(fd);
  return file.path.empty() ? unnamed_.at(fd) : files.at(file.path);
}

std::size_t MemoryFileSystem::Limit(std::size_t size) {
  const auto& limits = faults_.transferLimits;
  const std::size_t limit = limits.empty() ? 0 : limits[transfers_++ % limits.size()];
  return limit == 0 ? size : std::min(size, limit);
}

int MemoryFileSystem::Stat(const std::string& path, FileInfo& info) {
  info = FileInfo{};
  const auto file = files.find(path);
  if (file == files.end()) return 0;
  info.kind = FileKind::Regular;
  info.size = file->second.size();
  info.permissions = 0644;
  return 0;
}

int MemoryFileSystem::StatNoFollow(const std::string& path, FileInfo& info, bool& isLink) {
  isLink = false;
  return Stat(path, info);
}

int MemoryFileSystem::ResolvePath(const std::string& path, std::string& resolved) {
  resolved = path;
  return 0;
}

int MemoryFileSystem::CheckWritable(const std::string& path) {
  return files.count(path) ? 0 : ENOENT;
}

int MemoryFileSystem::OpenForReading(const std::string& path, int& fd) {
  if (!files.count(path)) return ENOENT;
  fd = nextFd_++;
  open_[fd] = {path, 0};
  return 0;
}

int MemoryFileSystem::StatOpen(int fd, FileInfo& info) {
  info = FileInfo{};
  info.kind = FileKind::Regular;
  info.size = Contents(fd).size();
  info.permissions = 0644;
  return 0;
}

int MemoryFileSystem::CreateUnnamed(const std::string&, mode_t, int& fd) {
  if (!faults_.unnamedFiles) return EOPNOTSUPP;
  fd = nextFd_++;
  open_[fd] = {std::string(), 0};
  unnamed_[fd];
  return 0;
}

int MemoryFileSystem::CreateNew(const std::string& path, mode_t, int& fd) {
  if (files.count(path)) return EEXIST;
  files[path];
  fd = nextFd_++;
  open_[fd] = {path, 0};
  return 0;
}

int MemoryFileSystem::Read(int fd, unsigned char* buffer, std::size_t size, std::size_t& done) {
  Open& file = open_.at(fd);
  const Bytes& bytes = Contents(fd);
  done = std::min(Limit(size), bytes.size() - std::min(bytes.size(), file.position));
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(file.position), done, buffer);
  file.position += done;
  return 0;
}

int MemoryFileSystem::Write(int fd, const unsigned char* buffer, std::size_t size,
                            std::size_t& done) {
  Open& file = open_.at(fd);
  Bytes& bytes = Contents(fd);
  done = Limit(size);
  if (bytes.size() < file.position + done) bytes.resize(file.position + done);
  std::copy_n(buffer, done, bytes.begin() + static_cast<std::ptrdiff_t>(file.position));
  file.position += done;
  return 0;
}

int MemoryFileSystem::CopyRange(int in, int out, std::size_t size, std::size_t& done) {
  done = 0;
  if (!faults_.kernelCopy) return EXDEV;
  std::vector<unsigned char> chunk(std::min<std::size_t>(size, 1 << 16));
  if (int e = Read(in, chunk.data(), chunk.size(), done)) return e;
  // The kernel writes all it read.
  Open& file = open_.at(out);
  Bytes& bytes = Contents(out);
  if (bytes.size() < file.position + done) bytes.resize(file.position + done);
  std::copy_n(chunk.begin(), done, bytes.begin() + static_cast<std::ptrdiff_t>(file.position));
  file.position += done;
  return 0;
}

int MemoryFileSystem::Close(int fd) {
  if (!open_.count(fd)) return EBADF;
  if (open_.at(fd).path.empty()) unnamed_.erase(fd);
  open_.erase(fd);
  return 0;
}

int MemoryFileSystem::LinkUnnamed(int fd, const std::string& path) {
  if (files.count(path)) return EEXIST;
  Open& file = open_.at(fd);
  files[path] = unnamed_.at(fd);
  unnamed_.erase(fd);
  file.path = path;
  return 0;
}

int MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
  const auto file = files.find(from);
  if (file == files.end()) return ENOENT;
  Bytes bytes = std::move(file->second);
  files.erase(file);
  files[to] = std::move(bytes);
  for (auto& [fd, open] : open_) {
    if (open.path == from) open.path = to;
  }
  return 0;
}

int MemoryFileSystem::RenameNoReplace(const std::string& from, const std::string& to) {
  if (!faults_.renameNoReplace) return EINVAL;
  if (files.count(to)) return EEXIST;
  return Rename(from, to);
}

int MemoryFileSystem::Link(const std::string& from, const std::string& to) {
  if (files.count(to)) return EEXIST;
  const auto file = files.find(from);
  if (file == files.end()) return ENOENT;
  // Both names show the same bytes for the short time before the old one goes.
  files[to] = file->second;
  return 0;
}

int MemoryFileSystem::Remove(const std::string& path) { return files.erase(path) ? 0 : ENOENT; }

}  // namespace orbisk::fuzzing
