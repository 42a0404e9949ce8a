// Writes a target the way every Orbisk output is written.
#include "target_file.hpp"

#include <cerrno>
#include <optional>

#include "target_names.hpp"

namespace orbisk {
namespace {

// A folder open by descriptor for as long as the object lives.
class OpenedFolder {
 public:
  explicit OpenedFolder(FileSystem& files) : files_(files) {}
  ~OpenedFolder() {
    if (fd_ >= 0) files_.Close(fd_);
  }
  OpenedFolder(const OpenedFolder&) = delete;
  OpenedFolder& operator=(const OpenedFolder&) = delete;

  int Open(const std::string& path) { return files_.OpenFolder(path, fd_); }
  int fd() const { return fd_; }

 private:
  FileSystem& files_;
  int fd_ = -1;
};

// The folder part of a path ("" or ending in "/") and the name in it.
std::pair<std::string, std::string> Split(const std::string& path) {
  const std::size_t start = FileNameStart(path);
  std::string name = path.substr(start);
  // A path ending in "/" names its folder, which is what a check must then find.
  if (name.empty()) name = ".";
  return {path.substr(0, start), name};
}

Status NotTheSource(const FileInfo& existing, const std::string& target,
                    const TargetOptions& options) {
  if (options.source == nullptr || !existing.SameFileAs(*options.source)) return {};
  return Error::SameFile(target, options.sourcePath);
}

// A folder part as a person names the folder: "." for the current one, no final "/".
std::string FolderName(const std::string& folderPath) {
  if (folderPath.empty()) return ".";
  if (folderPath.size() == 1) return folderPath;
  return folderPath.substr(0, folderPath.size() - 1);
}

// How many numbered backups of one file may pile up before a repair refuses to add one.
constexpr int kNumberedBackups = 1000;

class TargetWriter {
 public:
  TargetWriter(FileSystem& files, Interaction& user, const std::string& target,
               const TargetOptions& options)
      : files_(files),
        user_(user),
        target_(target),
        options_(options),
        folder_(files),
        destinationFolder_(files) {}

  Status Write(const FillContent& fill) {
    if (Status checked = Check(); !checked) return checked;
    if (replacing_ && !Approved()) return Error::About(PathError::Declined, target_);
    if (Status opened = OpenDestination(); !opened) return opened;
    SaveFile& content = *content_;
    if (int e = content.Open(options_.newMode)) {
      // Nothing can be made in a folder this user may not write in: the folder is the cause.
      if (e == EACCES) {
        return Fail(Error::FolderNotWritable(target_, FolderName(destinationPath_), e));
      }
      return Fail(Error::System(SystemError::CannotWrite, target_, e));
    }
    if (Status filled = fill(content); !filled) return Fail(filled.error());
    // What it is once filled is what it stays: putting it in place keeps its inode and time.
    FileInfo made;
    if (options_.written != nullptr || options_.made != nullptr) {
      if (int e = content.Stat(made))
        return Fail(Error::System(SystemError::CannotWrite, target_, e));
    }
    if (Status committed = Commit(); !committed) return committed;
    if (options_.written != nullptr) options_.written->Add(made);
    if (options_.made != nullptr) *options_.made = made;
    return {};
  }

 private:
  // Looks at the target and refuses what must not be written over, filling existing_,
  // replacing_ and the destination.
  Status Check() {
    replacing_ = false;
    destinationPath_ = {};
    const auto [folderPath, name] = Split(target_);
    if (folder_.fd() < 0) {
      if (int e = folder_.Open(folderPath)) {
        // Where the folder does not exist the target cannot either: the folder is the cause.
        if (e == ENOENT || e == ENOTDIR) {
          return Error::FolderMissing(target_, FolderName(folderPath), e);
        }
        return Error::System(SystemError::CannotAccess, target_, e);
      }
    }
    destinationPath_ = folderPath;
    destinationName_ = name;
    bool isLink = false;
    if (int e = files_.StatNoFollow(folder_.fd(), name, existing_, isLink)) {
      return Error::System(SystemError::CannotAccess, target_, e);
    }
    if (isLink) {
      if (int e = files_.Stat(folder_.fd(), name, existing_)) {
        return Error::System(SystemError::CannotAccess, target_, e);
      }
      // Writing through a link to nothing would create a file somewhere unexpected.
      if (existing_.kind == FileKind::Missing) {
        return Error::About(PathError::TargetIsADanglingLink, target_);
      }
    }
    switch (existing_.kind) {
      case FileKind::Directory: return Error::About(PathError::TargetIsAFolder, target_);
      case FileKind::Other: return Error::About(PathError::TargetNotAFile, target_);
      case FileKind::Missing: return {};
      case FileKind::Regular: break;
    }
    if (Status other = NotTheSource(existing_, target_, options_); !other) return other;
    if (options_.written != nullptr && options_.written->Contains(existing_)) {
      return Error::JustCreated(target_, options_.sourcePath);
    }
    if (int e = files_.CheckWritable(folder_.fd(), name)) {
      return Error::System(SystemError::CannotReplace, target_, e);
    }
    replacing_ = true;
    // A target that is a symbolic link is replaced where the link points, so the link stays.
    if (isLink) {
      std::string resolved;
      if (int e = files_.ResolvePath(target_, resolved)) {
        return Error::System(SystemError::CannotAccess, target_, e);
      }
      std::tie(destinationPath_, destinationName_) = Split(resolved);
      linked_ = true;
    }
    return {};
  }

  // Whether the user lets the existing target be replaced: the file they opened is
  // replaced without a question unless it changed since it was read.
  bool Approved() {
    if (options_.opened != nullptr && target_ == options_.openedPath) {
      return existing_.Unchanged(*options_.opened) || user_.AskToReplaceChanged(target_);
    }
    return user_.AskToReplace(target_);
  }

  Status OpenDestination() {
    int folder = folder_.fd();
    if (linked_) {
      if (int e = destinationFolder_.Open(destinationPath_)) {
        return Error::System(SystemError::CannotWrite, target_, e);
      }
      folder = destinationFolder_.fd();
    }
    content_.emplace(files_, folder, destinationPath_, destinationName_);
    return {};
  }

  Status Commit() {
    if (!replacing_) {
      const int placed = content_->CommitNew();
      if (placed == 0) return {};
      if (placed != EEXIST) return Fail(Error::System(SystemError::CannotWrite, target_, placed));
      // Someone put a file there while we were writing: it is the user's to decide about.
      if (Status checked = Check(); !checked) return Fail(checked.error());
      if (!Approved()) return Fail(Error::About(PathError::Declined, target_));
    }
    if (options_.keepBackup) {
      if (Status kept = KeepBackup(); !kept) return Fail(kept.error());
    }
    if (int e = content_->CommitReplacing(existing_)) {
      return Fail(Error::System(SystemError::CannotReplace, target_, e));
    }
    return {};
  }

  // A second name for the file about to be replaced: the replacement takes the first. It
  // never goes over another file: a "name~" already there stays, and the backup takes the
  // first free "name.~N~", as cp --backup=numbered names them.
  Status KeepBackup() {
    const int folder = linked_ ? destinationFolder_.fd() : folder_.fd();
    std::string backup = destinationName_ + "~";
    int e = files_.Link(folder, destinationName_, backup);
    for (int n = 1; e == EEXIST && n <= kNumberedBackups; ++n) {
      backup = destinationName_ + ".~" + std::to_string(n) + "~";
      e = files_.Link(folder, destinationName_, backup);
    }
    // Named where it is: beside the file a link points to, not beside the link.
    if (e != 0) return Error::System(SystemError::CannotKeepBackup, destinationPath_ + backup, e);
    if (options_.backupMade != nullptr) *options_.backupMade = destinationPath_ + backup;
    return {};
  }

  // Drops what was written; a temporary file that could not be removed goes with the error.
  Status Fail(Error error) {
    if (content_) {
      if (int e = content_->Discard()) {
        error.leftBehind = content_->TemporaryName();
        error.leftBehindCode = e;
      }
    }
    return error;
  }

  FileSystem& files_;
  Interaction& user_;
  const std::string& target_;  // as given, for messages
  const TargetOptions& options_;
  OpenedFolder folder_;             // the target's folder
  OpenedFolder destinationFolder_;  // where a symbolic link points, when it is one
  std::string destinationPath_;     // the folder the content goes in: "" or ending in "/"
  std::string destinationName_;
  bool linked_ = false;
  FileInfo existing_;
  bool replacing_ = false;
  std::optional<SaveFile> content_;
};

}  // namespace

bool WrittenFiles::Contains(const FileInfo& file) const {
  for (const auto& [device, inode] : files_) {
    if (file.kind != FileKind::Missing && file.device == device && file.inode == inode) return true;
  }
  return false;
}

Status RefuseSource(FileSystem& files, const std::string& target, const TargetOptions& options) {
  FileInfo existing;
  if (files.Stat(kCurrentFolder, target, existing) != 0) return {};  // told when written
  return NotTheSource(existing, target, options);
}

Status WriteTarget(FileSystem& files, Interaction& user, const std::string& target,
                   const TargetOptions& options, const FillContent& fill) {
  return TargetWriter(files, user, target, options).Write(fill);
}

Status WriteWholeTarget(FileSystem& files, Interaction& user, const std::string& target,
                        const TargetOptions& options, const std::string& bytes) {
  return WriteTarget(files, user, target, options, [&](SaveFile& content) -> Status {
    if (int e = content.Write(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size())) {
      return Error::System(SystemError::CannotWrite, target, e);
    }
    return {};
  });
}

}  // namespace orbisk
