// Group files: read, extracted and made.
#include "group_transfer.hpp"

#include <map>

#include "text_transfer.hpp"
#include "variable_types.hpp"

namespace orbisk {
namespace {

// Whether a variable of `type` works once moved from `from` to `to`.
bool Moves(unsigned char type, Model from, Model to) {
  return type != types::kBackup &&
         (from == to || MovementOf({FileContent::Kind::Variable, type}) == Movement::Moves);
}

Error Refused(ErrorKind kind, const std::string& path, const VariableEntry& entry, Model to) {
  return Error::BoundVariable(kind, path, entry.type, to, QualifiedName(entry));
}

}  // namespace

GroupTransfer::GroupTransfer(FileSystem& files, Interaction& user, const Clock& clock,
                             StampSeparators separators)
    : files_(files), user_(user), clock_(clock), separators_(separators) {}

Result<OpenedGroup> GroupTransfer::Read(const std::string& path) {
  // Variables are taken as they are: no program's lines are made, only checked.
  Result<CheckedFile> checked =
      TextTransfer(files_, user_, clock_, separators_).Check(path, ProgramLines::None);
  if (!checked) return checked.error();
  FileReport& report = checked->report;
  if (report.looksLikeText) return Error::About(PathError::NotACalculatorFile, path);
  std::vector<Problem> problems;
  for (Problem& problem : report.problems) {
    if (problem.kind != Problem::Kind::SignatureNotOfName) problems.push_back(std::move(problem));
  }
  if (!problems.empty() || !report.file) {
    return Error::NotAValidFile(path, std::move(problems));
  }
  OpenedGroup group;
  group.file = std::move(*report.file);
  group.model = report.model;
  group.info = checked->info;
  group.path = path;
  return group;
}

Status GroupTransfer::Extract(const OpenedGroup& group, std::size_t index, Model model,
                              const std::string& target, WrittenFiles* written) {
  const VariableEntry& entry = group.file.entries.at(index);
  if (!Moves(entry.type, group.model, model)) {
    return Refused(ErrorKind::CannotExtract, group.path, entry, model);
  }
  VariableFile single;
  single.signature = SignatureFor(model);
  single.folder = entry.folder;
  single.comment = CommentText(model, FormatStamp(clock_.LocalNow(), separators_));
  single.entries.push_back(entry);
  TargetOptions options;
  options.newMode = group.info.permissions & 0777;
  options.source = &group.info;
  options.sourcePath = group.path;
  options.written = written;
  return WriteWholeTarget(files_, user_, target, options, WriteVariableFile(single));
}

Status GroupTransfer::Make(const std::string& target, Model model,
                           const std::vector<std::string>& sources, WrittenFiles* written) {
  std::vector<OpenedGroup> opened;
  for (const std::string& source : sources) {
    Result<OpenedGroup> group = Read(source);
    if (!group) return group.error();
    opened.push_back(std::move(*group));
  }
  VariableFile file;
  file.signature = SignatureFor(model);
  file.comment = CommentText(model, FormatStamp(clock_.LocalNow(), separators_));
  file.group = true;
  file.folder.clear();  // a group's variables each have their own
  // Each folder's variables together, the folders in the order they first come.
  std::vector<std::string> folders;
  std::map<std::string, std::vector<VariableEntry>> byFolder;
  std::map<std::string, std::string> from;  // folder \ name: the source it came from
  for (OpenedGroup& group : opened) {
    for (VariableEntry& entry : group.file.entries) {
      if (!Moves(entry.type, group.model, model)) {
        return Refused(ErrorKind::CannotGroup, group.path, entry, model);
      }
      const std::string variable = QualifiedName(entry);
      if (const auto [earlier, fresh] = from.emplace(variable, group.path); !fresh) {
        return Error::DuplicateVariable(group.path, variable, earlier->second);
      }
      if (byFolder.count(entry.folder) == 0) folders.push_back(entry.folder);
      byFolder[entry.folder].push_back(std::move(entry));
    }
  }
  for (const std::string& folder : folders) {
    for (VariableEntry& entry : byFolder[folder]) file.entries.push_back(std::move(entry));
  }
  // The header counts the table's rows, a folder entry before each folder's variables, in
  // 16 bits; and no group larger than a reader takes is made.
  const std::uint64_t rows = file.entries.size() + folders.size();
  if (rows > 0xFFFF) {
    return Error::GroupTooManyRows(target, rows);
  }
  const std::string bytes = WriteVariableFile(file);
  if (bytes.size() > kLargestGroupBytes) {
    return Error::GroupTooManyBytes(target, bytes.size());
  }
  TargetOptions options;
  options.newMode = 0666;
  options.written = written;
  // None of the sources may be replaced by the group made of it.
  for (const OpenedGroup& group : opened) {
    options.source = &group.info;
    options.sourcePath = group.path;
    if (Status refused = RefuseSource(files_, target, options); !refused) return refused;
  }
  return WriteWholeTarget(files_, user_, target, options, bytes);
}

}  // namespace orbisk
