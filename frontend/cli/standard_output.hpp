// Standard output as a stream that remembers why writing to it failed, so that a run whose
// output was lost (a full disk, a closed output) says so once and fails, as cat does.
#pragma once

#include <memory>
#include <ostream>
#include <streambuf>

namespace orbisk {

class StandardOutput {
 public:
  StandardOutput();
  StandardOutput(const StandardOutput&) = delete;
  StandardOutput& operator=(const StandardOutput&) = delete;

  std::ostream& stream() { return stream_; }
  // Writes what is left, then tells 0 or the errno of the first write that failed.
  int Finish();

 private:
  class Buffer final : public std::streambuf {
   public:
    int error() const { return error_; }

   protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

   private:
    // Writes the buffer out; false once a write has failed (what follows is dropped).
    bool Drain();
    // Writes `size` bytes at `at` straight out; false as Drain.
    bool WriteOut(const char* at, std::size_t size);

    // Made on the first write: a run that prints nothing costs nothing.
    std::unique_ptr<char[]> bytes_;
    int error_ = 0;
  };

  Buffer buffer_;
  std::ostream stream_;
};

// Puts /dev/null in place of a closed standard input, output or error, opened the wrong way
// round, so that nothing the program opens later takes their numbers and every read or
// write through them fails rather than landing in a file.
void ReserveStandardDescriptors();

}  // namespace orbisk
