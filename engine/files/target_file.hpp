// Writes a target the way every Orbisk output is written: the target is checked and the
// user asked before anything is created, the content goes into a SaveFile, and the commit
// never replaces a file the user was not asked about.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "error.hpp"
#include "file_system.hpp"
#include "interaction.hpp"
#include "save_file.hpp"

namespace orbisk {

// The files one run has written, so that it never replaces one of them with another
// source's result.
class WrittenFiles {
 public:
  void Add(const FileInfo& file) { files_.emplace_back(file.device, file.inode); }
  bool Contains(const FileInfo& file) const;

 private:
  std::vector<std::pair<dev_t, ino_t>> files_;
};

struct TargetOptions {
  // The permission bits a new target gets, through the umask as open(2) applies it.
  mode_t newMode = 0644;
  // The file the content comes from, named `sourcePath`: the target may not be that file.
  const FileInfo* source = nullptr;
  std::string sourcePath;
  // The files written earlier in the run: the target may not be one of them, and is added.
  WrittenFiles* written = nullptr;
  // The file the user opened, named `openedPath`, as it was when read: writing over it asks
  // nothing, unless it changed on disk since (or another file took its name), which is
  // asked about.
  const FileInfo* opened = nullptr;
  std::string openedPath;
  // The file replaced is kept beside it, under its name and "~", or when that name is taken
  // the first free "name.~N~"; `backupMade` then takes the backup's path.
  bool keepBackup = false;
  std::string* backupMade = nullptr;
  // Where to give the details of the file written, once it is in place.
  FileInfo* made = nullptr;
};

// Fills the content of the target; an error stops the writing and leaves every file as it was.
using FillContent = std::function<Status(SaveFile& content)>;

// Refuses a target that is the source itself, however it is named (links followed), before
// anything is asked or said about it.
Status RefuseSource(FileSystem& files, const std::string& target, const TargetOptions& options);

// Checks `target` (a folder, a device, a dangling symbolic link, a file this user may not
// write, the source itself or a file this run wrote are refused), asks before replacing an
// existing file, fills a new file through `fill` and puts it in place. A file that appears
// at the target meanwhile goes through the same checks and question first. A target that
// is a symbolic link is replaced where the link points.
Status WriteTarget(FileSystem& files, Interaction& user, const std::string& target,
                   const TargetOptions& options, const FillContent& fill);

// WriteTarget with `bytes` for the whole content.
Status WriteWholeTarget(FileSystem& files, Interaction& user, const std::string& target,
                        const TargetOptions& options, const std::string& bytes);

}  // namespace orbisk
