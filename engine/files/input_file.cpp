// A file open for reading that closes itself.
#include "input_file.hpp"

#include <algorithm>
#include <cerrno>

namespace orbisk {

InputFile::~InputFile() {
  // Nothing was written through it, so a failed close loses nothing.
  if (fd_ >= 0) files_.Close(fd_);
}

int InputFile::Open(const std::string& path) { return files_.OpenForReading(path, fd_); }

Status InputFile::OpenNamed(const std::string& path, FileInfo& info, PathError notAFile) {
  if (int e = Open(path)) {
    if (e == ENOENT || e == ENOTDIR) return Error::About(PathError::MissingSource, path);
    return Error::System(SystemError::CannotOpen, path, e);
  }
  if (int e = Stat(info)) return Error::System(SystemError::CannotRead, path, e);
  if (info.kind != FileKind::Regular) return Error::About(notAFile, path);
  return {};
}

int InputFile::Stat(FileInfo& info) { return files_.StatOpen(fd_, info); }

int InputFile::Read(unsigned char* buffer, std::size_t size, std::size_t& done) {
  int e;
  do {
    e = files_.Read(fd_, buffer, size, done);
  } while (e == EINTR);
  return e;
}

int InputFile::ReadAll(std::string& bytes, std::size_t limit, std::uint64_t sizeHint) {
  // Grown as the file comes, from a size that takes most files in one read: what a file
  // says of its size (a /proc or /sys file says 0 or 4096 whatever it holds) is not trusted,
  // but a byte more than it says takes a file that tells the truth in one read.
  std::size_t have = std::min(bytes.size(), limit);
  const std::size_t told =
      static_cast<std::size_t>(std::min<std::uint64_t>(sizeHint, limit - 1)) + 1;
  std::size_t room =
      std::min<std::size_t>(limit, std::max<std::size_t>({have * 2, 64 << 10, told}));
  for (;;) {
    bytes.resize(room);
    std::size_t done = 0;
    const int e =
        ReadFull(reinterpret_cast<unsigned char*>(bytes.data()) + have, room - have, done);
    have += done;
    if (e != 0 || have < room || room == limit) {
      bytes.resize(have);
      return e;
    }
    room = std::min(limit, room * 2);
  }
}

int InputFile::ReadFull(unsigned char* buffer, std::size_t size, std::size_t& got) {
  got = 0;
  while (got < size) {
    std::size_t done = 0;
    if (int e = Read(buffer + got, size - got, done)) return e;
    if (done == 0) break;
    got += done;
  }
  return 0;
}

}  // namespace orbisk
