// Text in and out of calculator files.
#include "text_transfer.hpp"

#include <algorithm>

#include "input_file.hpp"
#include "messages.hpp"
#include "target_file.hpp"
#include "text_notation.hpp"

namespace orbisk {
namespace {

// Every code takes at most four bytes of UTF-8 (a line end two), so a longer text file
// could not fit a variable and is refused without reading it all.
constexpr std::size_t kLongestImport = 4 * layout::kMaxVariableSize + 4;

bool WriteTarget(FileSystem& files, Interaction& user, const std::string& target,
                 mode_t newMode, const std::string& bytes) {
  TargetFile output(files, user, target);
  if (!output.Approve() || !output.Open(newMode)) return false;
  if (int e = output.Content().Write(reinterpret_cast<const unsigned char*>(bytes.data()),
                                     bytes.size())) {
    return output.Fail(messages::CannotWrite(target, e));
  }
  return output.Commit();
}

}  // namespace

TextTransfer::TextTransfer(FileSystem& files, Interaction& user, const Clock& clock,
                           StampSeparators separators)
    : files_(files), user_(user), clock_(clock), separators_(separators) {}

bool TextTransfer::ReadHead(const std::string& path, std::size_t limit, std::string& bytes,
                            FileInfo& info) {
  InputFile in(files_);
  if (!in.OpenNamed(path, user_, info, messages::NotAFileToRead)) return false;
  // What fstat tells is read, no more than `limit`: a file that grows meanwhile is read as
  // it was.
  if (int e = in.ReadAll(bytes, std::min<std::uint64_t>(limit, info.size))) {
    user_.ReportFailure(messages::CannotRead(path, e));
    return false;
  }
  return true;
}

bool TextTransfer::Read(const std::string& path, TextVariable& variable, FileInfo* info) {
  FileReport report;
  if (!Check(path, report, info)) return false;
  if (!report.problems.empty()) {
    user_.ReportFailure(messages::NotAValidFile(path, report.problems));
    return false;
  }
  if (!report.text) {
    user_.ReportFailure(messages::NotAText(path, report.type));
    return false;
  }
  variable = std::move(*report.text);
  return true;
}

bool TextTransfer::Export(const std::string& source, const std::string& target) {
  TextVariable variable;
  FileInfo info;
  if (!Read(source, variable, &info)) return false;
  // A new file takes the source's permissions, as for a conversion.
  return WriteTarget(files_, user_, target, info.permissions & 0777, TextToUtf8(variable.text));
}

bool TextTransfer::Import(const std::string& source, const std::string& target, Model model,
                          const std::string& name) {
  std::string utf8;
  FileInfo info;
  if (!ReadHead(source, kLongestImport, utf8, info)) return false;
  if (info.size > kLongestImport) {
    user_.ReportFailure(messages::TextFileTooLarge(source, info.size));
    return false;
  }
  const TextImport imported = TextFromUtf8(utf8);
  if (!imported.valid) {
    user_.ReportFailure(
        messages::NotUtf8(source, imported.invalidLine, imported.invalidColumn));
    return false;
  }
  const std::size_t variableSize = imported.text.size() + layout::kTextOverhead;
  if (variableSize > layout::kMaxVariableSize) {
    user_.ReportFailure(messages::TextTooLarge(source, variableSize));
    return false;
  }
  for (const TextImport::Unknown& unknown : imported.unknown) {
    user_.ShowMessage(
        messages::UnknownCharacter(source, unknown.line, unknown.column, unknown.character));
  }
  TextVariable variable;
  variable.model = model;
  variable.name = name;
  variable.text = imported.text;
  const std::string stamp = FormatStamp(clock_.LocalNow(), separators_);
  return WriteTarget(files_, user_, target, info.permissions & 0777,
                     WriteTextFile(variable, stamp));
}

bool TextTransfer::Check(const std::string& path, FileReport& report, FileInfo* info) {
  std::string head;
  FileInfo details;
  if (!ReadHead(path, kCheckedBytes, head, details)) return false;
  report = CheckVariableFile(head, details.size, path);
  if (info != nullptr) *info = details;
  return true;
}

}  // namespace orbisk
