// Writes a file beside its final place and puts it there in one step on commit; whatever is
// not committed vanishes with the object.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>

#include "file_system.hpp"
#include "input_file.hpp"

namespace orbisk {

// Writes all of `data` to `fd` through `files`, going on after short writes and
// interruptions.
int WriteFully(FileSystem& files, int fd, const unsigned char* data, std::size_t size);

// The content goes into a file with no name (O_TMPFILE) where the file system allows it,
// otherwise into a hidden ".orbisk-….tmp" created with mode 0600; either way nobody else can
// read it before the commit. An interrupting signal removes a named one (see
// signal_cleanup.hpp).
class SaveFile {
 public:
  // The file `name` in the folder open as `folder` (which must stay open as long as this
  // object lives), whose path is `folderPath` ("" for the current folder, or ending in "/").
  SaveFile(FileSystem& files, int folder, std::string folderPath, std::string name)
      : files_(files),
        folder_(folder),
        folderPath_(std::move(folderPath)),
        name_(std::move(name)) {}
  ~SaveFile() { Discard(); }
  SaveFile(const SaveFile&) = delete;
  SaveFile& operator=(const SaveFile&) = delete;

  // Creates the temporary file in the folder. `newMode` is the permission bits
  // the file gets if it is committed as a new file, through the umask as open(2) applies it.
  int Open(mode_t newMode);
  // Writes all of `data`, going on after short writes and interruptions.
  int Write(const unsigned char* data, std::size_t size);
  // One copy inside the kernel from the current position of `in`; 0 bytes at its end.
  int CopyFrom(InputFile& in, std::size_t size, std::size_t& done);

  // Puts the file at its name, which must still be free: EEXIST means a file has appeared
  // there, nothing was touched, and the content can still be committed by replacing it.
  int CommitNew();
  // Replaces the file at its name, whose details `replaced` gives: the new file takes its
  // permission bits and, where the system allows, its owner and group, and reaches the
  // disk before its name does.
  int CommitReplacing(const FileInfo& replaced);

  // Drops an uncommitted file. Returns 0, or the reason a named temporary file could not be
  // removed (TemporaryName() names it).
  int Discard();
  // The named temporary file's path, for messages.
  std::string TemporaryName() const { return folderPath_ + temporary_; }
  // The details of the content written so far, before it is committed.
  int Stat(FileInfo& info) { return files_.StatOpen(fd_, info); }

 private:
  // Gives the temporary file a fresh hidden name in the folder through `create`, which
  // makes that name exist or fails with EEXIST when it is taken; the name is registered
  // for the signal handler as it appears.
  int NameTemporary(const std::function<int(const std::string& name)>& create);
  // The named temporary file is gone, renamed or removed: the signal handler forgets it.
  void ForgetName();
  // Closes after the file was put in place as a new one; a failure takes it away again.
  int CloseCommittedNew();
  int RenameIntoPlace();

  FileSystem& files_;
  int folder_;
  std::string folderPath_;
  std::string name_;
  std::string temporary_;  // the named temporary file's name in the folder, when there is one
  int fd_ = -1;
  mode_t newMode_ = 0;
  bool committed_ = false;  // or discarded: nothing is left to do
};

}  // namespace orbisk
