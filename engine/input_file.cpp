// A file open for reading that closes itself.
#include "input_file.hpp"

#include <cerrno>

#include "messages.hpp"

namespace orbisk {

InputFile::~InputFile() {
  // Nothing was written through it, so a failed close loses nothing.
  if (fd_ >= 0) files_.Close(fd_);
}

int InputFile::Open(const std::string& path) { return files_.OpenForReading(path, fd_); }

bool InputFile::OpenNamed(const std::string& path, Interaction& user, FileInfo& info,
                          std::string (*notAFile)(const std::string& path)) {
  if (int e = Open(path)) {
    if (e == ENOENT || e == ENOTDIR) {
      user.ShowMessage(messages::MissingSource(path));
    } else {
      user.ReportFailure(messages::CannotOpen(path, e));
    }
    return false;
  }
  if (int e = Stat(info)) {
    user.ReportFailure(messages::CannotRead(path, e));
    return false;
  }
  if (info.kind != FileKind::Regular) {
    user.ReportFailure(notAFile(path));
    return false;
  }
  return true;
}

int InputFile::Stat(FileInfo& info) { return files_.StatOpen(fd_, info); }

int InputFile::Read(unsigned char* buffer, std::size_t size, std::size_t& done) {
  int e;
  do {
    e = files_.Read(fd_, buffer, size, done);
  } while (e == EINTR);
  return e;
}

int InputFile::ReadAll(std::string& bytes, std::size_t limit) {
  bytes.resize(limit);
  std::size_t got = 0;
  const int e = ReadFull(reinterpret_cast<unsigned char*>(bytes.data()), limit, got);
  bytes.resize(got);
  return e;
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
