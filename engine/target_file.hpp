// Puts a new file at a target path the way every Orbisk output is written: the target is
// checked and the user asked before anything is created, the content goes into a SaveFile,
// and the commit never replaces a file the user was not asked about.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

#include "file_system.hpp"
#include "interaction.hpp"
#include "save_file.hpp"

namespace orbisk {

class TargetFile {
 public:
  TargetFile(FileSystem& files, Interaction& user, std::string target)
      : files_(files), user_(user), target_(std::move(target)) {}

  // Refuses a folder, a device, a dangling symbolic link and a file this user may not write,
  // and asks before replacing an existing file. False once the user has been told why, or
  // has declined.
  bool Approve();
  // Creates the temporary file; `newMode` as for SaveFile::Open. False after reporting.
  bool Open(mode_t newMode);
  SaveFile& Content() { return *content_; }
  // Puts the content in place. A file that appeared at the target since Approve() goes
  // through the same checks and question first. False after reporting, or when declined.
  bool Commit();
  // Reports a failure met while filling the content, naming any temporary file that could
  // not be removed; always false.
  bool Fail(const std::string& text);

 private:
  // Approve() without the question's answer taken into account yet: the checks, filling
  // existing_, replacing_ and destination_. Returns the failure text, or empty.
  std::string Check();
  bool AskToReplace();

  FileSystem& files_;
  Interaction& user_;
  std::string target_;       // as given, for messages
  std::string destination_;  // where the content goes: the target, or where its link points
  FileInfo existing_;
  bool replacing_ = false;
  std::optional<SaveFile> content_;
};

}  // namespace orbisk
