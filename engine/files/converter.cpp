// The conversions: copy the source whole and rewrite its header into the target.
#include "converter.hpp"

#include <memory>
#include <optional>
#include <vector>

#include "file_check.hpp"
#include "header.hpp"
#include "input_file.hpp"
#include "target_names.hpp"
#include "variable_types.hpp"

namespace orbisk {
namespace {

constexpr std::size_t kKernelCopyChunk = std::size_t{1} << 30;
constexpr std::size_t kBufferSize = std::size_t{128} << 10;

// The kernel copies the body when it can. When it cannot, or fails, or stops short (some
// file systems wrongly report an early end, and files in /proc tell no size), the plain
// read and write loop takes over from the same position until the source really ends, and
// tells which file is at fault.
Status CopyRest(InputFile& in, SaveFile& out, const std::string& source,
                const std::string& target) {
  for (;;) {
    std::size_t done = 0;
    if (out.CopyFrom(in, kKernelCopyChunk, done) != 0 || done == 0) break;
  }
  // Most often the source has ended: one small read tells, without a large buffer.
  unsigned char first[4096];
  std::size_t got = 0;
  if (int e = in.Read(first, sizeof first, got))
    return Error::System(SystemError::CannotRead, source, e);
  if (got == 0) return {};
  if (int e = out.Write(first, got)) return Error::System(SystemError::CannotWrite, target, e);
  std::vector<unsigned char> buffer(kBufferSize);
  for (;;) {
    std::size_t done = 0;
    if (int e = in.Read(buffer.data(), buffer.size(), done)) {
      return Error::System(SystemError::CannotRead, source, e);
    }
    if (done == 0) return {};
    if (int e = out.Write(buffer.data(), done))
      return Error::System(SystemError::CannotWrite, target, e);
  }
}

}  // namespace

Converter::Converter(FileSystem& files, Interaction& user, const Clock& clock,
                     StampSeparators separators)
    : files_(files), user_(user), clock_(clock), separators_(separators) {}

Status Converter::Convert(Model model, const std::string& source, const std::string& target,
                          WrittenFiles* written) {
  std::string chosen;
  return Run(model, source, &target, chosen, written);
}

Result<std::string> Converter::ConvertBeside(Model model, const std::string& source,
                                             WrittenFiles* written) {
  std::string chosen;
  if (Status status = Run(model, source, nullptr, chosen, written); !status) return status.error();
  return chosen;
}

Status Converter::Run(Model model, const std::string& source, const std::string* targetPath,
                      std::string& target, WrittenFiles* written) {
  // The source is opened first: one call tells whether it exists and keeps it from
  // changing identity while the user is asked about the target. Its beginning is read
  // before anything is asked: a file too short for a header is refused by what it really
  // holds, and one small enough for a variable is read whole, to tell if it is damaged.
  InputFile in(files_);
  FileInfo opened;
  if (Status status = in.OpenNamed(source, opened, PathError::NotAFileToConvert); !status) {
    return status;
  }
  const std::unique_ptr<unsigned char[]> head(new unsigned char[kCheckedBytes + 1]);
  std::size_t got = 0;
  if (int e = in.ReadFull(head.get(), kCheckedBytes + 1, got)) {
    return Error::System(SystemError::CannotRead, source, e);
  }
  // A plain text, whatever its name, would get a calculator file's header written over its
  // first line: it is made a calculator file otherwise.
  if (IsPlainText(std::string_view(reinterpret_cast<const char*>(head.get()), got))) {
    return Error::About(PathError::NotACalculatorFile, source);
  }
  if (got < kHeaderSpan) {
    return Error::TooShort(source, got);
  }
  const bool whole = got <= kCheckedBytes;
  std::optional<FileContent> content = ContentOf(head.get(), got);
  // No single variable is larger than that: the header of a larger file says nothing true of
  // its type, and it is named and copied as a text is.
  if (!whole && content && content->kind == FileContent::Kind::Variable) content.reset();
  if (content && MovementOf(*content) != Movement::Moves) {
    return Error::CannotMove(source, content->type, content->kind == FileContent::Kind::Group);
  }
  target = targetPath != nullptr
               ? *targetPath
               : TargetName(source, model, Purpose::Conversion, content.value_or(FileContent{}));
  std::vector<Problem> damage;
  if (whole && SignatureOf(head.get()) != Signature::Unknown) {
    const std::string_view bytes(reinterpret_cast<const char*>(head.get()), got);
    damage = ParseVariableFile(bytes, got, false).problems;
  }

  TargetOptions options;
  // A new target takes the source's permissions, as cp gives them.
  options.newMode = opened.permissions & 0777;
  options.source = &opened;
  options.sourcePath = source;
  options.written = written;
  Status converted = WriteTarget(files_, user_, target, options, [&](SaveFile& out) -> Status {
    RewriteHeader(model, head.get(), FormatStamp(clock_.LocalNow(), separators_));
    if (int e = out.Write(head.get(), got))
      return Error::System(SystemError::CannotWrite, target, e);
    return whole ? Status() : CopyRest(in, out, source, target);
  });
  // Converted byte for byte all the same, as a conversion is: the user learns how to mend it.
  if (converted && !damage.empty()) {
    Warning warning;
    warning.kind = Warning::Kind::DamagedSource;
    warning.path = source;
    warning.problems = std::move(damage);
    user_.Warn(warning);
  }
  return converted;
}

}  // namespace orbisk
