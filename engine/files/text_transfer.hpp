// Text in and out of calculator files: read a text variable (as far as it can be found in a
// damaged file), write its text as UTF-8 beside it, make one from UTF-8, check any file of
// these calculators, repair a damaged one, and save a file the user opened.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clock.hpp"
#include "encodings.hpp"
#include "error.hpp"
#include "file_check.hpp"
#include "file_system.hpp"
#include "interaction.hpp"
#include "stamp.hpp"
#include "target_file.hpp"

namespace orbisk {

// A text variable read from a file, with the file's name and details as they were when read.
struct OpenedText {
  TextVariable variable;
  FileInfo info;
  std::string path;
  // What is wrong with the file, though its text could be read: empty for a sound file.
  std::vector<Problem> damage;
  // The text had no terminator: what was read is what the file still holds.
  bool cutShort = false;
  // The file's signature names another model than its name: the model it is for.
  std::optional<Model> misnamed;
  // The file as read, when it has nothing wrong but perhaps its name: what a save over it
  // keeps of its header.
  std::optional<VariableFile> file;
  // A program or function whose text was read back from its tokens: saved, it is written
  // in text form, which the calculator tokenizes again when it next runs it.
  std::optional<TokenizedProgram> tokenized;
};

// What a front end should say of a program read back from its tokens at `path`: the tags it
// could not read, and whether its data ended early; nothing when it read whole.
inline std::optional<Warning> UnreadTokensWarning(const std::string& path,
                                                  const TokenizedProgram& program) {
  if (program.unknown.empty() && !program.cutShort) return std::nullopt;
  Warning warning;
  warning.kind = Warning::Kind::UnreadTokens;
  warning.path = path;
  for (const DetokenizedProgram::Unknown& unknown : program.unknown) {
    warning.text += static_cast<char>(unknown.prefix);
    warning.text += static_cast<char>(unknown.code);
  }
  warning.cutShort = program.cutShort;
  return warning;
}

// What a front end should say of a text it read: the damage, or a name that tells the
// wrong model. (A value's reading, which windows make too: it stays in the header.)
inline std::vector<Warning> ReadingWarnings(const OpenedText& opened) {
  std::vector<Warning> warnings;
  if (!opened.damage.empty()) {
    Warning& warning = warnings.emplace_back();
    warning.kind = Warning::Kind::DamagedText;
    warning.path = opened.path;
    warning.problems = opened.damage;
    warning.cutShort = opened.cutShort;
  }
  if (opened.misnamed) {
    Warning& warning = warnings.emplace_back();
    warning.kind = Warning::Kind::MisnamedFile;
    warning.path = opened.path;
    warning.model = *opened.misnamed;
  }
  if (opened.tokenized) {
    if (std::optional<Warning> unread = UnreadTokensWarning(opened.path, *opened.tokenized)) {
      warnings.push_back(std::move(*unread));
    }
  }
  return warnings;
}

// What a check found in a file, with the file's details.
struct CheckedFile {
  FileReport report;
  FileInfo info;
};

// What a text is made into, and how it is read.
struct ImportOptions {
  TextEncoding encoding = TextEncoding::Utf8;
  // The type of the variable to make; when none is chosen, a 7-bit export's own, or text.
  std::optional<unsigned char> type;
  // The name was chosen by the user: a 7-bit export's own name does not replace it.
  bool nameChosen = false;
  // The target is not the one given but beside the source, with the extension of the type
  // made for the model (see TargetName).
  bool targetBeside = false;
};

// A text file read as Import reads it, before anything is made of it.
struct ImportedText {
  CalculatorText text;
  unsigned char type = types::kText;  // chosen, or a 7-bit export's own
  std::string name;                   // a 7-bit export's own name, when it is valid
  FileInfo info;
  // What to say of it: the keyboard's bar, unknown escapes, characters written as "?".
  std::vector<Warning> warnings;
};

struct RepairOptions {
  bool keepBackup = true;     // keep the file as it was under its name and "~"
  bool fixSignature = false;  // give a file the signature its name calls for
};

// What a repair did: the problems it mended (none for a file that had nothing to mend),
// and the backup it kept.
struct Repaired {
  std::vector<Problem> mended;
  bool cutShort = false;
  std::string backup;
  // Nothing was mended in a file whose signature names another model than its name:
  // the model it is for.
  std::optional<Model> misnamed;
};

// Where a text written out goes, piece by piece.
using TextPieces = std::function<void(std::string_view piece)>;

// Writes the text of `opened` in `format` to `write`: a program whose text was left to be
// read from its tokens (ProgramLines::TextFormOnly) is read now, in pieces. Gives what to
// say of the tokens it could not read then, if any.
std::optional<Warning> WriteOpenedText(OpenedText& opened, TextFormat format,
                                       const TextPieces& write);

class TextTransfer {
 public:
  TextTransfer(FileSystem& files, Interaction& user, const Clock& clock,
               StampSeparators separators = LocaleStampSeparators());

  // Reads the text variable in `path`, as far as it can be found when the file is damaged.
  // With ProgramLines::TextFormOnly, a tokenized program's text is left for
  // WriteOpenedText, for a caller that only writes it out.
  Result<OpenedText> Read(const std::string& path, ProgramLines lines = ProgramLines::Every);
  // Writes the text of `source` as UTF-8 (or in the 7-bit export format) into `target`,
  // asking before replacing it. Gives what is wrong with the source, whose text was written
  // as far as it could be found (empty for a sound file); a warning tells it too.
  Result<std::vector<Problem>> Export(const std::string& source, const std::string& target,
                                      WrittenFiles* written = nullptr,
                                      TextFormat format = TextFormat::Utf8);
  // Makes a text variable named `name` for `model` from the text in `source`, in
  // `encoding` (or a program or a function, in text form, for the calculator to parse when
  // it first runs it). Characters the calculators do not have become "?", each told once;
  // nothing is written for a text that is not in that encoding or too large for a variable.
  // A 7-bit export is read as such, its escapes as the codes they stand for. Gives the
  // target's path.
  Result<std::string> Import(const std::string& source, const std::string& target, Model model,
                             const std::string& name, WrittenFiles* written = nullptr,
                             const ImportOptions& options = {});
  // Reads the text in `source` as Import does, making nothing of it.
  Result<ImportedText> ReadImport(const std::string& source, const ImportOptions& options = {});
  // Checks `path`; an error only when it cannot even be read. `lines` says which programs'
  // lines the report holds (a reader of variables as they are needs none).
  Result<CheckedFile> Check(const std::string& path, ProgramLines lines = ProgramLines::Every);
  // Writes the file at `path` again, sound: its text as it can be found, the header fields
  // it had (folder, name, comment, attribute), the right sizes, terminator and checksum.
  Result<Repaired> Repair(const std::string& path, const RepairOptions& options);
  // Writes `file` into `target`. When `opened` is the file the user opened there, it is
  // replaced without a question, unless it changed on disk since. Gives the details of the
  // file written, for the next save over it.
  Result<FileInfo> Save(const std::string& target, const VariableFile& file,
                        const OpenedText* opened);

 private:
  // Reads at most `limit` bytes of the file at `path` into `bytes`, with its details; the
  // size told is what was read when the file ended within the limit.
  Status ReadHead(const std::string& path, std::size_t limit, std::string& bytes, FileInfo& info);
  // Reads and checks the file, keeping what was read in `head`.
  Result<CheckedFile> CheckKeeping(const std::string& path, std::string& head,
                                   ProgramLines lines = ProgramLines::Every);

  FileSystem& files_;
  Interaction& user_;
  const Clock& clock_;
  StampSeparators separators_;
};

}  // namespace orbisk
