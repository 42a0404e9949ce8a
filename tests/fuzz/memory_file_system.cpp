// Files held in memory, whose reads may come back short and whose kernel copy may be refused.
#include "memory_file_system.hpp"

#include <algorithm>
#include <cerrno>

namespace orbisk::fuzzing {

int MemoryFileSystem::Stat(const std::string& path, FileInfo& info) {
  info = FileInfo{};
  const auto file = files.find(path);
  if (file == files.end()) return 0;
  info.kind = FileKind::Regular;
  info.size = file->second.size();
  info.permissions = 0644;
  return 0;
}

int MemoryFileSystem::IsSymbolicLink(const std::string& path, bool& isLink) {
  isLink = false;
  return files.count(path) ? 0 : ENOENT;
}

int MemoryFileSystem::ResolvePath(const std::string& path, std::string& resolved) {
  resolved = path;
  return 0;
}

int MemoryFileSystem::OpenForReading(const std::string& path, int& fd) {
  if (!files.count(path)) return ENOENT;
  fd = nextFd_++;
  open_[fd] = {path, 0};
  return 0;
}

int MemoryFileSystem::StatOpen(int fd, FileInfo& info) { return Stat(open_.at(fd).path, info); }

int MemoryFileSystem::CreateNew(const std::string& path, int& fd) {
  if (files.count(path)) return EEXIST;
  files[path];
  fd = nextFd_++;
  open_[fd] = {path, 0};
  return 0;
}

int MemoryFileSystem::SetPermissions(int, mode_t) { return 0; }

int MemoryFileSystem::Read(int fd, unsigned char* buffer, std::size_t size, std::size_t& done) {
  Open& file = open_.at(fd);
  const Bytes& bytes = files.at(file.path);
  std::size_t limit = readLimits_.empty() ? 0 : readLimits_[reads_++ % readLimits_.size()];
  if (limit == 0) limit = size;
  done = std::min({size, limit, bytes.size() - std::min(bytes.size(), file.position)});
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(file.position), done, buffer);
  file.position += done;
  return 0;
}

int MemoryFileSystem::Write(int fd, const unsigned char* buffer, std::size_t size) {
  Open& file = open_.at(fd);
  Bytes& bytes = files.at(file.path);
  if (bytes.size() < file.position + size) bytes.resize(file.position + size);
  std::copy_n(buffer, size, bytes.begin() + static_cast<std::ptrdiff_t>(file.position));
  file.position += size;
  return 0;
}

int MemoryFileSystem::CopyRange(int in, int out, std::size_t size, std::size_t& done) {
  done = 0;
  if (!kernelCopy_) return EXDEV;
  std::vector<unsigned char> chunk(std::min<std::size_t>(size, 1 << 16));
  if (int e = Read(in, chunk.data(), chunk.size(), done)) return e;
  return Write(out, chunk.data(), done);
}

int MemoryFileSystem::Sync(int) { return 0; }

int MemoryFileSystem::Close(int fd) { return open_.erase(fd) ? 0 : EBADF; }

int MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
  const auto file = files.find(from);
  if (file == files.end()) return ENOENT;
  Bytes bytes = std::move(file->second);
  files.erase(file);
  files[to] = std::move(bytes);
  return 0;
}

int MemoryFileSystem::Remove(const std::string& path) { return files.erase(path) ? 0 : ENOENT; }

}  // namespace orbisk::fuzzing
