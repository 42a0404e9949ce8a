// Standard output as a stream that remembers why writing to it failed.
#include "standard_output.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace orbisk {
namespace {

constexpr std::size_t kSize = 1 << 16;
// A piece this long is written straight out after what is buffered, not copied: one
// write(2) for it costs little, and the buffer's pages are not touched for nothing.
constexpr std::size_t kWrittenStraight = 8 * 1024;

}  // namespace

StandardOutput::StandardOutput() : stream_(&buffer_) {}

int StandardOutput::Finish() {
  stream_.flush();
  return buffer_.error();
}

StandardOutput::Buffer::int_type StandardOutput::Buffer::overflow(int_type c) {
  if (!bytes_) {
    // Left uninitialised: only what is written into it is ever read.
    bytes_.reset(new char[kSize]);
    setp(bytes_.get(), bytes_.get() + kSize);
  } else if (!Drain()) {
    return traits_type::eof();
  }
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

std::streamsize StandardOutput::Buffer::xsputn(const char* s, std::streamsize n) {
  if (static_cast<std::size_t>(n) < kWrittenStraight) return std::streambuf::xsputn(s, n);
  if (!Drain() || !WriteOut(s, static_cast<std::size_t>(n))) return 0;
  return n;
}

int StandardOutput::Buffer::sync() { return Drain() ? 0 : -1; }

bool StandardOutput::Buffer::Drain() {
  const char* at = pbase();
  const char* end = pptr();
  setp(bytes_.get(), bytes_ ? bytes_.get() + kSize : nullptr);
  return WriteOut(at, static_cast<std::size_t>(end - at));
}

bool StandardOutput::Buffer::WriteOut(const char* at, std::size_t size) {
  if (error_ != 0) return false;
  const char* const end = at + size;
  while (at < end) {
    const ssize_t n = ::write(STDOUT_FILENO, at, static_cast<std::size_t>(end - at));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = n < 0 ? errno : EIO;
      return false;
    }
    at += n;
  }
  return true;
}

void ReserveStandardDescriptors() {
  const struct {
    int fd;
    int flags;
  } standard[] = {{STDIN_FILENO, O_WRONLY}, {STDOUT_FILENO, O_RDONLY}, {STDERR_FILENO, O_RDONLY}};
  for (const auto& s : standard) {
    if (::fcntl(s.fd, F_GETFD) >= 0 || errno != EBADF) continue;
    // Descriptors are given lowest first, so this one takes the closed number.
    const int fd = ::open("/dev/null", s.flags | O_NOCTTY);
    if (fd >= 0 && fd != s.fd) ::close(fd);
  }
}

}  // namespace orbisk
