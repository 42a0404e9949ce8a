// A file open for reading that closes itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "error.hpp"
#include "file_system.hpp"

namespace orbisk {

class InputFile {
 public:
  explicit InputFile(FileSystem& files) : files_(files) {}
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  int Open(const std::string& path);
  // Reads the file already open as `fd`, which it then closes.
  void Adopt(int fd) { fd_ = fd; }
  // Opens a file the user named: a missing one, one that cannot be opened or looked at, and
  // one that is no regular file (reported as `notAFile`) are errors. Fills `info`.
  Status OpenNamed(const std::string& path, FileInfo& info, PathError notAFile);
  int Stat(FileInfo& info);
  // One read of at most `size` bytes, retried when interrupted; 0 bytes at the end.
  int Read(unsigned char* buffer, std::size_t size, std::size_t& done);
  // Reads until `size` bytes are in or the file ends; `got` says how many came.
  int ReadFull(unsigned char* buffer, std::size_t size, std::size_t& got);
  // Reads the rest of the file after what `bytes` holds already, until it holds `limit`.
  // `sizeHint`, what the file says of its size, only chooses the first buffer's size.
  int ReadAll(std::string& bytes, std::size_t limit, std::uint64_t sizeHint = 0);

 private:
  friend class SaveFile;  // copies from this file inside the kernel

  FileSystem& files_;
  int fd_ = -1;
};

}  // namespace orbisk
