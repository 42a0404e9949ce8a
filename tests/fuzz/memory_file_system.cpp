// Files held in memory, whose transfers may come back short and whose kernel copy and
// unnamed files may be refused.
#include "memory_file_system.hpp"

#include <algorithm>
#include <cerrno>
#include <functional>

namespace orbisk::fuzzing {

MemoryFileSystem::Bytes& MemoryFileSystem::Contents(int fd) {
  const Open& file = open_.at(fd);
  return file.path.empty() ? unnamed_.at(fd) : files.at(file.path);
}

std::string MemoryFileSystem::PathOf(int folder, const std::string& name) const {
  return folder == kCurrentFolder ? name : folders_.at(folder) + name;
}

std::size_t MemoryFileSystem::Limit(std::size_t size) {
  const auto& limits = faults_.transferLimits;
  const std::size_t limit = limits.empty() ? 0 : limits[transfers_++ % limits.size()];
  return limit == 0 ? size : std::min(size, limit);
}

int MemoryFileSystem::Stat(int folder, const std::string& name, FileInfo& info) {
  info = FileInfo{};
  const auto file = files.find(PathOf(folder, name));
  if (file == files.end()) return 0;
  info.kind = FileKind::Regular;
  info.size = file->second.size();
  info.permissions = 0644;
  // Each name its own file: the name stands for the inode.
  info.inode = std::hash<std::string>()(file->first);
  return 0;
}

int MemoryFileSystem::StatNoFollow(int folder, const std::string& name, FileInfo& info,
                                   bool& isLink) {
  isLink = false;
  return Stat(folder, name, info);
}

int MemoryFileSystem::ResolvePath(const std::string& path, std::string& resolved) {
  resolved = path;
  return 0;
}

int MemoryFileSystem::CheckWritable(int folder, const std::string& name) {
  return files.count(PathOf(folder, name)) ? 0 : ENOENT;
}

int MemoryFileSystem::OpenFolder(const std::string& path, int& fd) {
  fd = nextFd_++;
  folders_[fd] = path.empty() || path.back() == '/' ? path : path + "/";
  return 0;
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
  const std::string& path = open_.at(fd).path;
  info.inode = path.empty() ? static_cast<ino_t>(fd) : std::hash<std::string>()(path);
  return 0;
}

int MemoryFileSystem::CreateUnnamed(int, mode_t, int& fd) {
  if (!faults_.unnamedFiles) return EOPNOTSUPP;
  fd = nextFd_++;
  open_[fd] = {std::string(), 0};
  unnamed_[fd];
  return 0;
}

int MemoryFileSystem::CreateNew(int folder, const std::string& name, mode_t, int& fd) {
  const std::string path = PathOf(folder, name);
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
  if (folders_.erase(fd)) return 0;
  if (!open_.count(fd)) return EBADF;
  if (open_.at(fd).path.empty()) unnamed_.erase(fd);
  open_.erase(fd);
  return 0;
}

int MemoryFileSystem::LinkUnnamed(int fd, int folder, const std::string& name) {
  const std::string path = PathOf(folder, name);
  if (files.count(path)) return EEXIST;
  Open& file = open_.at(fd);
  files[path] = unnamed_.at(fd);
  unnamed_.erase(fd);
  file.path = path;
  return 0;
}

int MemoryFileSystem::Rename(int folder, const std::string& fromName, const std::string& toName) {
  const std::string from = PathOf(folder, fromName);
  const std::string to = PathOf(folder, toName);
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

int MemoryFileSystem::RenameNoReplace(int folder, const std::string& from, const std::string& to) {
  if (!faults_.renameNoReplace) return EINVAL;
  if (files.count(PathOf(folder, to))) return EEXIST;
  return Rename(folder, from, to);
}

int MemoryFileSystem::Link(int folder, const std::string& fromName, const std::string& toName) {
  const std::string to = PathOf(folder, toName);
  if (files.count(to)) return EEXIST;
  const auto file = files.find(PathOf(folder, fromName));
  if (file == files.end()) return ENOENT;
  // Both names show the same bytes for the short time before the old one goes.
  files[to] = file->second;
  return 0;
}

int MemoryFileSystem::Remove(int folder, const std::string& name) {
  return files.erase(PathOf(folder, name)) ? 0 : ENOENT;
}

}  // namespace orbisk::fuzzing
