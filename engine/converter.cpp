// The two conversions: copy the source whole and rewrite its header into the target.
#include "converter.hpp"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "messages.hpp"

namespace orbisk {
namespace {

constexpr std::size_t kKernelCopyChunk = std::size_t{1} << 30;
constexpr std::size_t kBufferSize = std::size_t{128} << 10;
constexpr int kTemporaryNameAttempts = 100;

std::string DirectoryPrefix(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A hidden name beside the target, short enough to fit wherever the target's name fits.
std::string TemporaryName(const std::string& directory) {
  static std::mt19937_64 generator = [] {
    std::random_device device;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    std::seed_seq seed{device(), device(), static_cast<unsigned>(::getpid()),
                       static_cast<unsigned>(now)};
    return std::mt19937_64(seed);
  }();
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, "%012llx",
                static_cast<unsigned long long>(generator() & 0xffffffffffffULL));
  return directory + ".orbisk-" + suffix + ".tmp";
}

// One conversion's open files and temporary target. Each step returns the failure text to
// report, or an empty text when it went well.
class Job {
 public:
  Job(FileSystem& files, const std::string& source, const std::string& target)
      : files_(files), source_(source), target_(target) {}
  Job(const Job&) = delete;
  Job& operator=(const Job&) = delete;

  std::string Write(Direction direction, const std::string& destination, const FileInfo* replaced,
                    const std::string& stamp) {
    if (int e = files_.OpenForReading(source_, in_)) return messages::CannotOpen(source_, e);
    FileInfo opened;
    if (int e = files_.StatOpen(in_, opened)) return messages::CannotRead(source_, e);
    if (opened.kind != FileKind::Regular) return messages::SourceNotAFile(source_);
    if (opened.size < kHeaderSpan) return messages::SourceTooShort(source_, opened.size);

    if (int e = CreateTemporary(DirectoryPrefix(destination))) {
      return messages::CannotWrite(target_, e);
    }
    if (replaced != nullptr) {
      if (int e = files_.SetPermissions(out_, replaced->permissions)) {
        return messages::CannotWrite(target_, e);
      }
    }

    unsigned char header[kHeaderSpan];
    std::size_t got = 0;
    while (got < kHeaderSpan) {
      std::size_t done = 0;
      if (int e = files_.Read(in_, header + got, kHeaderSpan - got, done)) {
        return messages::CannotRead(source_, e);
      }
      if (done == 0) return messages::SourceChangedWhileReading(source_);
      got += done;
    }
    RewriteHeader(direction, header, stamp);
    if (int e = files_.Write(out_, header, kHeaderSpan)) return messages::CannotWrite(target_, e);

    std::string failure = CopyRest(opened.size - kHeaderSpan);
    if (!failure.empty()) return failure;

    // A replaced target must never come back empty after a crash, so the new content
    // reaches the disk before its name does.
    if (replaced != nullptr) {
      if (int e = files_.Sync(out_)) return messages::CannotWrite(target_, e);
    }
    const int closeError = files_.Close(out_);
    out_ = -1;
    if (closeError != 0) return messages::CannotWrite(target_, closeError);
    if (int e = files_.Rename(temporary_, destination)) {
      return replaced ? messages::CannotReplace(target_, e) : messages::CannotWrite(target_, e);
    }
    temporary_.clear();
    return {};
  }

  // Closes what is still open and removes an uncommitted temporary file, trying twice since
  // it may be on a file system that fails only now and then. Returns the text to add to the
  // report when the temporary file is left behind.
  std::string Finish() {
    if (in_ >= 0) files_.Close(in_);
    if (out_ >= 0) files_.Close(out_);
    in_ = out_ = -1;
    if (temporary_.empty()) return {};
    int e = files_.Remove(temporary_);
    if (e != 0 && e != ENOENT) e = files_.Remove(temporary_);
    return e == 0 || e == ENOENT ? std::string() : messages::TemporaryLeftBehind(temporary_, e);
  }

 private:
  int CreateTemporary(const std::string& directory) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
      const std::string name = TemporaryName(directory);
      const int e = files_.CreateNew(name, out_);
      if (e == 0) {
        temporary_ = name;
        return 0;
      }
      if (e != EEXIST) return e;
    }
    return EEXIST;
  }

  // The kernel copies the body when it can. When it cannot, or fails, or stops short of
  // the expected size (some file systems wrongly report an early end), the plain read and
  // write loop takes over from the same position and tells which file is at fault.
  std::string CopyRest(std::uint64_t expected) {
    std::uint64_t copied = 0;
    for (;;) {
      std::size_t done = 0;
      if (files_.CopyRange(in_, out_, kKernelCopyChunk, done) != 0 || done == 0) break;
      copied += done;
    }
    if (copied >= expected) return {};
    std::vector<unsigned char> buffer(kBufferSize);
    for (;;) {
      std::size_t done = 0;
      if (int e = files_.Read(in_, buffer.data(), buffer.size(), done)) {
        return messages::CannotRead(source_, e);
      }
      if (done == 0) return {};
      if (int e = files_.Write(out_, buffer.data(), done)) return messages::CannotWrite(target_, e);
    }
  }

  FileSystem& files_;
  const std::string& source_;
  const std::string& target_;
  int in_ = -1;
  int out_ = -1;
  std::string temporary_;
};

}  // namespace

Converter::Converter(FileSystem& files, Interaction& user, const Clock& clock,
                     StampSeparators separators)
    : files_(files), user_(user), clock_(clock), separators_(separators) {}

bool Converter::ConvertToV200(const std::string& source, const std::string& target) {
  return Convert(Direction::ToV200, source, target);
}

bool Converter::ConvertToTi92Plus(const std::string& source, const std::string& target) {
  return Convert(Direction::ToTi92Plus, source, target);
}

bool Converter::Convert(Direction direction, const std::string& source, const std::string& target) {
  const auto fail = [this](const std::string& text) {
    user_.ReportFailure(text);
    return false;
  };

  FileInfo sourceInfo;
  if (int e = files_.Stat(source, sourceInfo)) return fail(messages::CannotAccess(source, e));
  if (sourceInfo.kind == FileKind::Missing) {
    user_.ShowMessage(messages::MissingSource(source));
    return false;
  }
  if (sourceInfo.kind != FileKind::Regular) return fail(messages::SourceNotAFile(source));
  if (sourceInfo.size < kHeaderSpan) {
    return fail(messages::SourceTooShort(source, sourceInfo.size));
  }

  FileInfo targetInfo;
  if (int e = files_.Stat(target, targetInfo)) return fail(messages::CannotAccess(target, e));
  if (targetInfo.kind == FileKind::Directory) return fail(messages::TargetIsAFolder(target));
  if (targetInfo.kind == FileKind::Other) return fail(messages::TargetNotAFile(target));
  const bool replacing = targetInfo.kind == FileKind::Regular;
  if (replacing && !user_.AskYesNo(messages::OverwriteQuestion(target))) return false;

  // A target that is a symbolic link is replaced where the link points, so the link stays.
  std::string destination = target;
  if (replacing) {
    bool isLink = false;
    if (int e = files_.IsSymbolicLink(target, isLink)) {
      return fail(messages::CannotAccess(target, e));
    }
    if (isLink) {
      if (int e = files_.ResolvePath(target, destination)) {
        return fail(messages::CannotAccess(target, e));
      }
    }
  }

  const std::string stamp = FormatStamp(clock_.LocalNow(), separators_);
  Job job(files_, source, target);
  std::string failure = job.Write(direction, destination, replacing ? &targetInfo : nullptr, stamp);
  const std::string leftover = job.Finish();
  if (failure.empty()) return true;
  if (!leftover.empty()) failure += "\n" + leftover;
  return fail(failure);
}

}  // namespace orbisk
