// Text in and out of calculator files.
#include "text_transfer.hpp"

#include <algorithm>

#include "input_file.hpp"
#include "text_notation.hpp"

namespace orbisk {
namespace {

// Every code takes at most four bytes of UTF-8 (a line end two), so a longer text file
// could not fit a variable and is refused without reading it all.
constexpr std::size_t kLongestImport = 4 * layout::kMaxVariableSize + 4;

Status WriteBytes(FileSystem& files, Interaction& user, const std::string& target,
                  const TargetOptions& options, const std::string& bytes) {
  return WriteTarget(files, user, target, options, [&](SaveFile& content) -> Status {
    if (int e = content.Write(reinterpret_cast<const unsigned char*>(bytes.data()),
                              bytes.size())) {
      return Error::Of(ErrorKind::CannotWrite, target, e);
    }
    return {};
  });
}

// A new file takes the source's permissions, as for a conversion.
TargetOptions FromSource(const std::string& source, const FileInfo& info, WrittenFiles* written) {
  TargetOptions options;
  options.newMode = info.permissions & 0777;
  options.source = &info;
  options.sourcePath = source;
  options.written = written;
  return options;
}

}  // namespace

TextTransfer::TextTransfer(FileSystem& files, Interaction& user, const Clock& clock,
                           StampSeparators separators)
    : files_(files), user_(user), clock_(clock), separators_(separators) {}

Status TextTransfer::ReadHead(const std::string& path, std::size_t limit, std::string& bytes,
                              FileInfo& info) {
  InputFile in(files_);
  if (Status opened = in.OpenNamed(path, info, ErrorKind::NotAFileToRead); !opened) return opened;
  // A file that grows meanwhile is read as it was, no more than `limit`.
  if (int e = in.ReadAll(bytes, limit)) return Error::Of(ErrorKind::CannotRead, path, e);
  // What a file tells of its size is not always true (a /proc file says 0): a file that
  // ended within the limit is as large as what was read.
  info.size = bytes.size() < limit ? bytes.size() : std::max<std::uint64_t>(info.size, limit);
  return {};
}

Result<OpenedText> TextTransfer::Read(const std::string& path) {
  Result<CheckedFile> checked = Check(path);
  if (!checked) return checked.error();
  FileReport& report = checked->report;
  if (!report.problems.empty()) {
    Error error = Error::Of(ErrorKind::NotAValidFile, path);
    error.problems = std::move(report.problems);
    return error;
  }
  if (!report.text) {
    Error error = Error::Of(ErrorKind::NotAText, path);
    error.type = report.type;
    return error;
  }
  return OpenedText{std::move(*report.text), checked->info, path};
}

Status TextTransfer::Export(const std::string& source, const std::string& target,
                            WrittenFiles* written) {
  Result<OpenedText> opened = Read(source);
  if (!opened) return opened.error();
  return WriteBytes(files_, user_, target, FromSource(source, opened->info, written),
                    TextToUtf8(opened->variable.text));
}

Status TextTransfer::Import(const std::string& source, const std::string& target, Model model,
                            const std::string& name, WrittenFiles* written) {
  std::string utf8;
  FileInfo info;
  if (Status read = ReadHead(source, kLongestImport + 1, utf8, info); !read) return read;
  if (info.size > kLongestImport) {
    Error error = Error::Of(ErrorKind::TextFileTooLarge, source);
    error.size = info.size;
    return error;
  }
  const TextImport imported = TextFromUtf8(utf8);
  if (!imported.valid) {
    Error error = Error::Of(ErrorKind::NotUtf8, source);
    error.line = imported.invalidLine;
    error.column = imported.invalidColumn;
    return error;
  }
  const std::size_t variableSize = imported.text.CodeCount() + kTextOverhead;
  if (variableSize > layout::kMaxVariableSize) {
    Error error = Error::Of(ErrorKind::TextTooLarge, source);
    error.size = variableSize;
    return error;
  }
  const TargetOptions options = FromSource(source, info, written);
  // Nothing is said of a text that could never be written.
  if (Status refused = RefuseSource(files_, target, options); !refused) return refused;
  for (const TextImport::Unknown& unknown : imported.unknown) {
    Warning warning;
    warning.path = source;
    warning.line = unknown.line;
    warning.column = unknown.column;
    warning.character = unknown.character;
    user_.Warn(warning);
  }
  const std::string stamp = FormatStamp(clock_.LocalNow(), separators_);
  const VariableFile file = NewTextFile(model, "main", name, imported.text, stamp);
  return WriteBytes(files_, user_, target, options, WriteVariableFile(file));
}

Result<CheckedFile> TextTransfer::Check(const std::string& path) {
  CheckedFile checked;
  std::string head;
  if (Status read = ReadHead(path, kCheckedBytes, head, checked.info); !read) return read.error();
  checked.report = CheckVariableFile(head, checked.info.size, path);
  return checked;
}

Status TextTransfer::Save(const std::string& target, const VariableFile& file,
                          const OpenedText* opened) {
  TargetOptions options;
  options.newMode = 0666;
  if (opened != nullptr) {
    options.opened = &opened->info;
    options.openedPath = opened->path;
  }
  return WriteBytes(files_, user_, target, options, WriteVariableFile(file));
}

}  // namespace orbisk
