// Text in and out of calculator files.
#include "text_transfer.hpp"

#include <algorithm>

#include "input_file.hpp"
#include "link_export.hpp"
#include "target_names.hpp"
#include "text_notation.hpp"
#include "typed_operators.hpp"
#include "variable_names.hpp"
#include "variable_types.hpp"

namespace orbisk {
namespace {

// Every code takes at most four bytes of UTF-8 (a line end two), so a longer text file
// could not fit a variable and is refused without reading it all.
constexpr std::size_t kLongestImport = 4 * layout::kMaxVariableSize + 4;

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

std::optional<Warning> WriteOpenedText(OpenedText& opened, TextFormat format,
                                       const TextPieces& write) {
  if (!opened.tokenized || !opened.tokenized->textLater || !opened.file ||
      opened.file->entries.size() != 1) {
    write(WrittenText(opened.variable, format));
    return std::nullopt;
  }
  TokenizedProgram& program = *opened.tokenized;
  const std::string_view data = opened.file->entries[0].data;
  const bool function = program.kind == ProgramKind::Function;
  DetokenizedProgram read;
  if (format == TextFormat::Utf8) {
    read = DetokenizeToUtf8(data, function, write);
  } else {
    read = Detokenize(data, function);
    opened.variable.text = std::move(read.text);
    write(WrittenText(opened.variable, format));
  }
  program.textLater = false;
  program.unknown = std::move(read.unknown);
  program.cutShort = read.cutShort;
  return UnreadTokensWarning(opened.path, program);
}

TextTransfer::TextTransfer(FileSystem& files, Interaction& user, const Clock& clock,
                           StampSeparators separators)
    : files_(files), user_(user), clock_(clock), separators_(separators) {}

Status TextTransfer::ReadHead(const std::string& path, std::size_t limit, std::string& bytes,
                              FileInfo& info) {
  InputFile in(files_);
  if (Status opened = in.OpenNamed(path, info, PathError::NotAFileToRead); !opened) return opened;
  // A file that grows meanwhile is read as it was, no more than `limit`; a group or a
  // backup, which may be larger than any variable, is read on to its end.
  if (int e = in.ReadAll(bytes, limit, info.size))
    return Error::System(SystemError::CannotRead, path, e);
  if (bytes.size() == limit && limit == kCheckedBytes && ReadWhole(bytes)) {
    limit = kLargestGroupBytes;
    if (int e = in.ReadAll(bytes, limit, info.size))
      return Error::System(SystemError::CannotRead, path, e);
  }
  // What a file tells of its size is not always true (a /proc file says 0): a file that
  // ended within the limit is as large as what was read.
  info.size = bytes.size() < limit ? bytes.size() : std::max<std::uint64_t>(info.size, limit);
  return {};
}

Result<CheckedFile> TextTransfer::CheckKeeping(const std::string& path, std::string& head,
                                               ProgramLines lines) {
  CheckedFile checked;
  if (Status read = ReadHead(path, kCheckedBytes, head, checked.info); !read) return read.error();
  checked.report = CheckVariableFile(head, checked.info.size, path, lines);
  return checked;
}

Result<OpenedText> TextTransfer::Read(const std::string& path, ProgramLines lines) {
  std::string head;
  Result<CheckedFile> checked = CheckKeeping(path, head, lines);
  if (!checked) return checked.error();
  FileReport& report = checked->report;
  OpenedText opened;
  opened.info = checked->info;
  opened.path = path;
  if (report.text) {
    opened.variable = std::move(*report.text);
    opened.file = std::move(report.file);
    if (lines == ProgramLines::TextFormOnly) {
      opened.file->entries[0].data = TakeVariableData(std::move(head));
    }
    opened.tokenized = std::move(report.tokenized);
    if (!report.problems.empty()) opened.misnamed = opened.variable.model;
    return opened;
  }
  if (report.looksLikeText) return Error::About(PathError::NotACalculatorFile, path);
  if (report.group && report.problems.empty()) {
    return Error::IsAGroup(path, report.file->entries.size());
  }
  if (std::optional<RecoveredText> recovered = RecoverText(head, report, path)) {
    opened.variable = std::move(recovered->variable);
    opened.damage = std::move(recovered->damage);
    opened.cutShort = recovered->cutShort;
    return opened;
  }
  if (!report.problems.empty()) {
    return Error::NotAValidFile(path, std::move(report.problems));
  }
  return Error::NotAText(path, report.type);
}

Result<std::vector<Problem>> TextTransfer::Export(const std::string& source,
                                                  const std::string& target, WrittenFiles* written,
                                                  TextFormat format) {
  Result<OpenedText> opened = Read(source, ProgramLines::TextFormOnly);
  if (!opened) return opened.error();
  for (const Warning& warning : ReadingWarnings(*opened)) user_.Warn(warning);
  std::optional<Warning> unread;
  const auto fill = [&](SaveFile& content) -> Status {
    int error = 0;
    unread = WriteOpenedText(*opened, format, [&](std::string_view piece) {
      if (error == 0) {
        error = content.Write(reinterpret_cast<const unsigned char*>(piece.data()), piece.size());
      }
    });
    if (error != 0) return Error::System(SystemError::CannotWrite, target, error);
    return {};
  };
  if (Status done =
          WriteTarget(files_, user_, target, FromSource(source, opened->info, written), fill);
      !done) {
    return done.error();
  }
  if (unread) user_.Warn(*unread);
  return std::move(opened->damage);
}

namespace {

// A 7-bit export's text: its bytes are the calculator's codes already, and its escapes
// stand for the others; its header gives the type (unless `options` does) and the name.
Result<TextImport> ReadLinkExportText(const std::string& source, const std::string& bytes,
                                      const ImportOptions& options, ImportedText& read) {
  const LinkExportReading reading = ReadLinkExport(bytes);
  if (reading.fault == LinkExportReading::Fault::NoStop) {
    return Error::LinkExportWithoutStop(source, reading.line);
  }
  if (reading.fault != LinkExportReading::Fault::None) {
    return Error::LinkExportField(source, reading.field, reading.line);
  }
  if (!options.type) read.type = TypeOfLinkExport(reading.file);
  const std::string exportedName = LowercaseName(reading.file.name);
  if (ValidVariableName(exportedName)) read.name = exportedName;
  TextImport imported;
  imported.text = NotationOf(read.type) == Notation::Program
                      ? CalculatorText::FromPlainCodes(reading.file.codes)
                      : CalculatorText::FromCodes(reading.file.codes);
  for (const LinkExportReading::UnknownEscape& unknown : reading.unknown) {
    Warning& warning = read.warnings.emplace_back();
    warning.kind = Warning::Kind::UnknownEscape;
    warning.path = source;
    warning.line = unknown.line;
    warning.column = unknown.column;
    warning.text = unknown.escape;
  }
  return imported;
}

// A text in `encoding` (UTF-8 is read as it is; another is made UTF-8 first), for a
// variable of `type`.
Result<TextImport> ReadEncodedText(const std::string& source, const std::string& bytes,
                                   TextEncoding encoding, unsigned char type) {
  TextImport imported = encoding == TextEncoding::Utf8
                            ? TextFromUtf8(bytes, NotationOf(type))
                            : TextFromUtf8(ToUtf8(bytes, encoding), NotationOf(type));
  if (!imported.valid) return Error::NotUtf8(source, imported.invalidLine, imported.invalidColumn);
  if (NotationOf(type) == Notation::Program) {
    // A program's first line gives its arguments: one without them takes none. Its cursor
    // starts at its beginning.
    std::vector<TextLine>& lines = imported.text.lines;
    if (lines.front().content.empty() || lines.front().content[0] != '(') {
      TextLine arguments;
      arguments.kind = LineKind::NoCode;
      arguments.content = "()";
      lines.insert(lines.begin(), arguments);
    }
    imported.text.cursor = 0;
  }
  return imported;
}

// What reading the text found to say: a keyboard bar kept, then the characters the
// calculators do not have.
void AddImportWarnings(const std::string& source, const TextImport& imported,
                       std::vector<Warning>& warnings) {
  if (imported.barLine != 0) {
    Warning& warning = *warnings.emplace(warnings.begin());
    warning.kind = Warning::Kind::KeyboardBar;
    warning.path = source;
    warning.line = imported.barLine;
    warning.character = static_cast<char32_t>(imported.barCode);
  }
  for (const TextImport::Unknown& unknown : imported.unknown) {
    Warning& warning = warnings.emplace_back();
    warning.path = source;
    warning.line = unknown.line;
    warning.column = unknown.column;
    warning.character = unknown.character;
  }
}

// The file a repair writes: `variable`, sound, with what the damaged header `was` held
// beside it (its comment, and its attribute, the two reserved bytes after it and the four
// before the size), under `signature`.
VariableFile RebuiltFile(const TextVariable& variable, const VariableFile& was, Signature signature,
                         const std::string& stamp) {
  VariableFile file = NewTextFile(variable.model, variable.folder, variable.name, variable.text,
                                  stamp, variable.type);
  file.signature = signature;
  file.comment = was.comment;
  if (!was.entries.empty()) {
    file.entries[0].attribute = was.entries[0].attribute;
    file.entries[0].reserved = was.entries[0].reserved;
    file.entries[0].lead = was.entries[0].lead;
  }
  return file;
}

}  // namespace

Result<ImportedText> TextTransfer::ReadImport(const std::string& source,
                                              const ImportOptions& options) {
  std::string bytes;
  ImportedText read;
  if (Status opened = ReadHead(source, kLongestImport + 1, bytes, read.info); !opened) {
    return opened.error();
  }
  // A file of these calculators is made already: it is read, not made again.
  if (bytes.size() >= 8) {
    const Signature signature = SignatureOf(reinterpret_cast<const unsigned char*>(bytes.data()));
    if (signature != Signature::Unknown) {
      const FileReport report = CheckVariableFile(bytes, read.info.size, source);
      return Error::AlreadyACalculatorFile(source, report.text ? report.text->model
                                                   : signature == Signature::Ti89
                                                       ? Model::Ti89
                                                       : Model::Ti92Plus);
    }
  }
  if (read.info.size > kLongestImport) {
    return Error::TextFileTooLarge(source, read.info.size);
  }
  read.type = options.type.value_or(types::kText);
  // A text that opens as a program or a function is one, unless a type was asked for.
  if (const std::optional<unsigned char> type =
          options.type ? std::nullopt : ProgramTypeOfText(bytes);
      type && !LooksLikeLinkExport(bytes)) {
    read.type = *type;
    Warning& warning = read.warnings.emplace_back();
    warning.kind = Warning::Kind::ProgramFromText;
    warning.path = source;
    warning.type = *type;
  }
  Result<TextImport> imported = LooksLikeLinkExport(bytes)
                                    ? ReadLinkExportText(source, bytes, options, read)
                                    : ReadEncodedText(source, bytes, options.encoding, read.type);
  if (!imported) return imported.error();
  AddImportWarnings(source, *imported, read.warnings);
  const bool program = read.type == types::kProgram || read.type == types::kFunction;
  if (const std::optional<TypedOperator> typed = program && !LooksLikeLinkExport(bytes)
                                                     ? FindTypedOperators(imported->text)
                                                     : std::nullopt) {
    Warning& warning = read.warnings.emplace_back();
    warning.kind = Warning::Kind::TypedOperators;
    warning.path = source;
    warning.line = typed->line;
    warning.column = typed->column;
    warning.text = typed->typed;
    warning.count = typed->count;
  }
  read.text = std::move(imported->text);
  return read;
}

Result<std::string> TextTransfer::Import(const std::string& source, const std::string& givenTarget,
                                         Model model, const std::string& name,
                                         WrittenFiles* written, const ImportOptions& options) {
  Result<ImportedText> read = ReadImport(source, options);
  if (!read) return read.error();
  const std::string variableName = options.nameChosen || read->name.empty() ? name : read->name;
  const unsigned char type = read->type;
  const std::string target = options.targetBeside ? TargetName(source, model, Purpose::Import,
                                                               {FileContent::Kind::Variable, type})
                                                  : givenTarget;
  const std::size_t variableSize = VariableSizeOfText(type, read->text);
  if (variableSize > layout::kMaxVariableSize) {
    return Error::TextTooLarge(source, variableSize);
  }
  const TargetOptions targetOptions = FromSource(source, read->info, written);
  // Nothing is said of a text that could never be written.
  if (Status refused = RefuseSource(files_, target, targetOptions); !refused) {
    return refused.error();
  }
  for (const Warning& warning : read->warnings) user_.Warn(warning);
  const std::string stamp = FormatStamp(clock_.LocalNow(), separators_);
  const VariableFile file = NewTextFile(model, "main", variableName, read->text, stamp, type);
  if (Status made = WriteWholeTarget(files_, user_, target, targetOptions, WriteVariableFile(file));
      !made) {
    return made.error();
  }
  return target;
}

Result<CheckedFile> TextTransfer::Check(const std::string& path, ProgramLines lines) {
  std::string head;
  return CheckKeeping(path, head, lines);
}

Result<Repaired> TextTransfer::Repair(const std::string& path, const RepairOptions& options) {
  std::string head;
  Result<CheckedFile> checked = CheckKeeping(path, head);
  if (!checked) return checked.error();
  const FileReport& report = checked->report;
  Repaired repaired;
  // What was read is replaced without a question, unless it changed on disk since.
  const auto replace = [&](const std::string& bytes) {
    TargetOptions target;
    target.opened = &checked->info;
    target.openedPath = path;
    target.keepBackup = options.keepBackup;
    target.backupMade = &repaired.backup;
    return WriteWholeTarget(files_, user_, path, target, bytes);
  };
  Model named = Model::Ti92Plus;
  const bool misnamed = !report.problems.empty() && report.text;
  if (misnamed && !options.fixSignature) repaired.misnamed = report.text->model;
  // A sound file whose signature is not its name's gets that signature, and nothing else
  // of it changes: a tokenized program stays tokenized.
  const auto oldLink = std::find_if(
      report.notes.begin(), report.notes.end(),
      [](const Problem& note) { return note.kind == Problem::Kind::OldLinkSignature; });
  if ((misnamed || oldLink != report.notes.end()) && options.fixSignature && report.text &&
      ModelOfFileName(path, named)) {
    std::string bytes = head.substr(0, checked->info.size);
    bytes.replace(0, 8, SignatureBytes(SignatureFor(named)), 8);
    repaired.mended = misnamed ? report.problems : std::vector<Problem>{*oldLink};
    if (Status written = replace(bytes); !written) return written.error();
    return repaired;
  }
  if (report.problems.empty() || (misnamed && !options.fixSignature)) return repaired;
  if (report.looksLikeText) return Error::About(PathError::NotACalculatorFile, path);
  const std::optional<RecoveredText> recovered =
      report.text ? std::nullopt : RecoverText(head, report, path);
  if (!report.text && !recovered) {
    return Error::CannotRepair(path, report.problems, report.type, report.group);
  }
  // A repair never drops text: a 00 inside it, or more text than a variable holds, leaves
  // the file as it is.
  if (recovered && recovered->holdsNul) {
    return Error::RepairWouldCut(path, report.problems);
  }
  const TextVariable& variable = report.text ? *report.text : recovered->variable;
  if (const std::size_t size = VariableSizeOfText(variable.type, variable.text);
      size > layout::kMaxVariableSize) {
    return Error::RepairTooLarge(path, size);
  }
  // Everything the header said is kept; the model is the signature's, or on request the
  // name's.
  const ParsedFile parsed = ParseVariableFile(head, checked->info.size);
  Signature signature = parsed.file.signature;
  for (const Problem& problem : report.problems) {
    if (problem.kind != Problem::Kind::SignatureNotOfName) {
      repaired.mended.push_back(problem);
    } else if (options.fixSignature && ModelOfFileName(path, named)) {
      signature = SignatureFor(named);
      repaired.mended.push_back(problem);
    }
  }
  repaired.cutShort = recovered && recovered->cutShort;
  const VariableFile file =
      RebuiltFile(variable, parsed.file, signature, FormatStamp(clock_.LocalNow(), separators_));
  if (Status written = replace(WriteVariableFile(file)); !written) return written.error();
  return repaired;
}

Result<FileInfo> TextTransfer::Save(const std::string& target, const VariableFile& file,
                                    const OpenedText* opened) {
  FileInfo saved;
  TargetOptions options;
  options.newMode = 0666;
  options.made = &saved;
  if (opened != nullptr) {
    options.opened = &opened->info;
    options.openedPath = opened->path;
  }
  if (Status written = WriteWholeTarget(files_, user_, target, options, WriteVariableFile(file));
      !written) {
    return written.error();
  }
  return saved;
}

}  // namespace orbisk
