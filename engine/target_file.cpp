// Puts a new file at a target path the way every Orbisk output is written.
#include "target_file.hpp"

#include <cerrno>

#include "messages.hpp"

namespace orbisk {

std::string TargetFile::Check() {
  replacing_ = false;
  destination_ = target_;
  bool isLink = false;
  if (int e = files_.StatNoFollow(target_, existing_, isLink)) {
    return messages::CannotAccess(target_, e);
  }
  if (isLink) {
    if (int e = files_.Stat(target_, existing_)) return messages::CannotAccess(target_, e);
    // Writing through a link to nothing would create a file somewhere unexpected.
    if (existing_.kind == FileKind::Missing) return messages::TargetIsADanglingLink(target_);
  }
  switch (existing_.kind) {
    case FileKind::Directory:
      return messages::TargetIsAFolder(target_);
    case FileKind::Other:
      return messages::TargetNotAFile(target_);
    case FileKind::Missing:
      return {};
    case FileKind::Regular:
      break;
  }
  if (int e = files_.CheckWritable(target_)) return messages::CannotReplace(target_, e);
  replacing_ = true;
  // A target that is a symbolic link is replaced where the link points, so the link stays.
  if (isLink) {
    if (int e = files_.ResolvePath(target_, destination_)) {
      return messages::CannotAccess(target_, e);
    }
  }
  return {};
}

bool TargetFile::AskToReplace() {
  return user_.AskYesNo(messages::OverwriteQuestion(target_));
}

bool TargetFile::Approve() {
  const std::string failure = Check();
  if (!failure.empty()) {
    user_.ReportFailure(failure);
    return false;
  }
  return !replacing_ || AskToReplace();
}

bool TargetFile::Open(mode_t newMode) {
  content_.emplace(files_, destination_);
  if (int e = content_->Open(newMode)) return Fail(messages::CannotWrite(target_, e));
  return true;
}

bool TargetFile::Commit() {
  if (!replacing_) {
    const int placed = content_->CommitNew();
    if (placed == 0) return true;
    if (placed != EEXIST) return Fail(messages::CannotWrite(target_, placed));
    // Someone put a file there while we were writing: it is the user's to decide about.
    const std::string failure = Check();
    if (!failure.empty()) return Fail(failure);
    if (!AskToReplace()) {
      if (int e = content_->Discard()) {
        user_.ReportFailure(messages::TemporaryLeftBehind(content_->TemporaryName(), e));
      }
      return false;
    }
  }
  if (int e = content_->CommitReplacing(existing_)) {
    return Fail(messages::CannotReplace(target_, e));
  }
  return true;
}

bool TargetFile::Fail(const std::string& text) {
  std::string report = text;
  if (content_) {
    if (int e = content_->Discard()) {
      report += "\n" + messages::TemporaryLeftBehind(content_->TemporaryName(), e);
    }
  }
  user_.ReportFailure(report);
  return false;
}

}  // namespace orbisk
