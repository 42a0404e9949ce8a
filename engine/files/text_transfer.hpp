// Text in and out of calculator files: read a text variable, write its text as UTF-8 beside
// it, make one from UTF-8, check any file of these calculators, and save a file the user
// opened.
#pragma once

#include <string>

#include "clock.hpp"
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
};

// What a check found in a file, with the file's details.
struct CheckedFile {
  FileReport report;
  FileInfo info;
};

class TextTransfer {
 public:
  TextTransfer(FileSystem& files, Interaction& user, const Clock& clock,
               StampSeparators separators = LocaleStampSeparators());

  // Reads the text variable in `path`.
  Result<OpenedText> Read(const std::string& path);
  // Writes the text of `source` as UTF-8 into `target`, asking before replacing it.
  Status Export(const std::string& source, const std::string& target,
                WrittenFiles* written = nullptr);
  // Makes a text variable named `name` for `model` from the UTF-8 text in `source`.
  // Characters the calculators do not have become "?", each told once; nothing is written
  // for a text that is not UTF-8 or too large for a variable.
  Status Import(const std::string& source, const std::string& target, Model model,
                const std::string& name, WrittenFiles* written = nullptr);
  // Checks `path`; an error only when it cannot even be read.
  Result<CheckedFile> Check(const std::string& path);
  // Writes `file` into `target`. When `opened` is the file the user opened there, it is
  // replaced without a question, unless it changed on disk since.
  Status Save(const std::string& target, const VariableFile& file, const OpenedText* opened);

 private:
  // Reads at most `limit` bytes of the file at `path` into `bytes`, with its details; the
  // size told is what was read when the file ended within the limit.
  Status ReadHead(const std::string& path, std::size_t limit, std::string& bytes, FileInfo& info);

  FileSystem& files_;
  Interaction& user_;
  const Clock& clock_;
  StampSeparators separators_;
};

}  // namespace orbisk
