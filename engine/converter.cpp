// The two conversions: copy the source whole and rewrite its header into the target.
#include "converter.hpp"

#include <vector>

#include "input_file.hpp"
#include "messages.hpp"
#include "target_file.hpp"

namespace orbisk {
namespace {

constexpr std::size_t kKernelCopyChunk = std::size_t{1} << 30;
constexpr std::size_t kBufferSize = std::size_t{128} << 10;

// The kernel copies the body when it can. When it cannot, or fails, or stops short of the
// expected size (some file systems wrongly report an early end), the plain read and write
// loop takes over from the same position and tells which file is at fault.
std::string CopyRest(InputFile& in, SaveFile& out, std::uint64_t expected,
                     const std::string& source, const std::string& target) {
  std::uint64_t copied = 0;
  for (;;) {
    std::size_t done = 0;
    if (out.CopyFrom(in, kKernelCopyChunk, done) != 0 || done == 0) break;
    copied += done;
  }
  if (copied >= expected) return {};
  std::vector<unsigned char> buffer(kBufferSize);
  for (;;) {
    std::size_t done = 0;
    if (int e = in.Read(buffer.data(), buffer.size(), done)) return messages::CannotRead(source, e);
    if (done == 0) return {};
    if (int e = out.Write(buffer.data(), done)) return messages::CannotWrite(target, e);
  }
}

}  // namespace

Converter::Converter(FileSystem& files, Interaction& user, const Clock& clock,
                     StampSeparators separators)
    : files_(files), user_(user), clock_(clock), separators_(separators) {}

bool Converter::ConvertToV200(const std::string& source, const std::string& target) {
  return Convert(Direction::ToV200, source, target);
}

bool Converter::ConvertToTi92Plus(const std::string& source, const std::string& target) {
  return Convert(Direction::ToTi92Plus, source, target);
}

bool Converter::Convert(Direction direction, const std::string& source, const std::string& target) {
  const auto fail = [this](const std::string& text) {
    user_.ReportFailure(text);
    return false;
  };

  // The source is opened first: one call tells whether it exists and keeps it from
  // changing identity while the user is asked about the target.
  InputFile in(files_);
  FileInfo opened;
  if (!in.OpenNamed(source, user_, opened, messages::SourceNotAFile)) return false;
  if (opened.size < kHeaderSpan) return fail(messages::SourceTooShort(source, opened.size));

  TargetFile output(files_, user_, target);
  if (!output.Approve()) return false;
  const std::string stamp = FormatStamp(clock_.LocalNow(), separators_);

  // A new target takes the source's permissions, as cp gives them.
  if (!output.Open(opened.permissions & 0777)) return false;
  SaveFile& out = output.Content();
  unsigned char header[kHeaderSpan];
  std::size_t got = 0;
  if (int e = in.ReadFull(header, kHeaderSpan, got)) {
    return output.Fail(messages::CannotRead(source, e));
  }
  if (got < kHeaderSpan) return output.Fail(messages::SourceChangedWhileReading(source));
  RewriteHeader(direction, header, stamp);
  if (int e = out.Write(header, kHeaderSpan)) return output.Fail(messages::CannotWrite(target, e));
  const std::string failure = CopyRest(in, out, opened.size - kHeaderSpan, source, target);
  if (!failure.empty()) return output.Fail(failure);
  return output.Commit();
}

}  // namespace orbisk
