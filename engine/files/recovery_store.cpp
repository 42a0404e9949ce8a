// Where recovery copies are kept.
#include "recovery_store.hpp"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "input_file.hpp"
#include "target_file.hpp"

namespace orbisk {
namespace {

// Replacing a copy is never asked about: it is this process's own.
class Unasked final : public Interaction {
 public:
  bool AskToReplace(const std::string&) override { return true; }
  bool AskToReplaceChanged(const std::string&) override { return true; }
  void Warn(const Warning&) override {}
};

std::uint64_t Fnv1a(const std::string& bytes) {
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3u;
  }
  return hash;
}

// Whether the process that keeps a copy still runs.
bool Running(long pid) {
  return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// Makes `path` and its missing parents, the last one for its owner only.
void MakeFolders(const std::string& path) {
  for (std::size_t at = 1; at != std::string::npos;) {
    at = path.find('/', at + 1);
    const std::string part = path.substr(0, at);
    ::mkdir(part.c_str(), at == std::string::npos ? 0700 : 0755);
  }
}

}  // namespace

RecoveryStore::RecoveryStore(FileSystem& files, std::string folder)
    : files_(files), folder_(folder.empty() ? DefaultFolder() : std::move(folder)) {}

std::string RecoveryStore::DefaultFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') return std::string(state) + "/orbisk";
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr && home[0] != '\0' ? home : "/tmp") + "/.local/state/orbisk";
}

std::string RecoveryStore::PrefixFor(const std::string& path) {
  if (path.empty()) return "n";
  std::string resolved;
  if (files_.ResolvePath(path, resolved) != 0) resolved = path;
  char hash[24];
  std::snprintf(hash, sizeof hash, "f%016llx", static_cast<unsigned long long>(Fnv1a(resolved)));
  return hash;
}

std::string RecoveryStore::KeyFor(const std::string& path) {
  std::string prefix = PrefixFor(path);
  if (path.empty()) prefix += std::to_string(++newTexts_);
  return prefix + "." + std::to_string(::getpid());
}

Status RecoveryStore::Keep(const std::string& key, const std::string& bytes) {
  MakeFolders(folder_);
  TargetOptions options;
  options.newMode = 0600;
  Unasked nobody;
  return WriteWholeTarget(files_, nobody, folder_ + "/" + key, options, bytes);
}

void RecoveryStore::Drop(const std::string& key) { files_.Remove(kCurrentFolder, folder_ + "/" + key); }

std::vector<RecoveryStore::Left> RecoveryStore::LeftBehind(const std::string& path) {
  std::vector<Left> left;
  const std::string prefix = PrefixFor(path);
  DIR* folder = ::opendir(folder_.c_str());
  if (folder == nullptr) return left;
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string name = entry->d_name;
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.compare(0, prefix.size(), prefix) != 0) continue;
    // A new text's number follows "n"; a file's hash is the whole prefix.
    const std::string between = name.substr(prefix.size(), dot - prefix.size());
    if (path.empty() ? between.find_first_not_of("0123456789") != std::string::npos
                     : !between.empty()) {
      continue;
    }
    const long pid = std::strtol(name.c_str() + dot + 1, nullptr, 10);
    if (pid != ::getpid() && !Running(pid)) names.push_back(name);
  }
  ::closedir(folder);
  for (const std::string& name : names) {
    InputFile in(files_);
    FileInfo info;
    std::string bytes;
    if (!in.OpenNamed(folder_ + "/" + name, info, ErrorKind::NotAFileToRead)) continue;
    if (in.ReadAll(bytes, std::size_t{1} << 20) != 0) continue;
    left.push_back({name, std::move(bytes)});
  }
  return left;
}

}  // namespace orbisk
