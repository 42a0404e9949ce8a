// Text in and out of calculator files: read a text variable, write its text as UTF-8 beside
// it, make one from UTF-8, and check any single-variable file.
#pragma once

#include <string>

#include "clock.hpp"
#include "file_check.hpp"
#include "file_system.hpp"
#include "interaction.hpp"
#include "stamp.hpp"
#include "variable_file.hpp"

namespace orbisk {

class TextTransfer {
 public:
  TextTransfer(FileSystem& files, Interaction& user, const Clock& clock,
               StampSeparators separators = LocaleStampSeparators());

  // Reads the text variable in `path`, and the file's details into `info` when given.
  // False once the user has been told what is wrong.
  bool Read(const std::string& path, TextVariable& variable, FileInfo* info = nullptr);
  // Writes the text of `source` as UTF-8 into `target`, asking before replacing it.
  bool Export(const std::string& source, const std::string& target);
  // Makes a text variable named `name` for `model` from the UTF-8 text in `source`.
  // Characters the calculators do not have become "?", each told once; nothing is written
  // for a text that is not UTF-8 or too large for a variable.
  bool Import(const std::string& source, const std::string& target, Model model,
              const std::string& name);
  // Checks `path`. False, once the user has been told, when it cannot even be read.
  bool Check(const std::string& path, FileReport& report, FileInfo* info = nullptr);

 private:
  // Reads at most `limit` bytes of the file at `path`, with its details.
  bool ReadHead(const std::string& path, std::size_t limit, std::string& bytes, FileInfo& info);

  FileSystem& files_;
  Interaction& user_;
  const Clock& clock_;
  StampSeparators separators_;
};

}  // namespace orbisk
