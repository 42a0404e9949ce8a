// Where recovery copies are kept: $XDG_STATE_HOME/orbisk, or ~/.local/state/orbisk (the home
// the system names when HOME is unset), a folder that must be its user's own and closed to
// everyone else: any other is refused, never /tmp. Each copy is written through the folder,
// never through a link, readable by its owner only, and named after what it is for (a file,
// by a hash of its full path, or a new text) and a random part, so that two windows of one
// file each have their own. The process that keeps a copy holds a lock on it while it does:
// a copy no one holds a lock on is one a run that ended left.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "error.hpp"
#include "file_system.hpp"

namespace orbisk {

class RecoveryStore {
 public:
  // `folder` empty: the one the environment names.
  explicit RecoveryStore(FileSystem& files, std::string folder = {});
  ~RecoveryStore();
  RecoveryStore(const RecoveryStore&) = delete;
  RecoveryStore& operator=(const RecoveryStore&) = delete;

  // A new name for a copy of the text of `path` (of a new text, for an empty path).
  std::string KeyFor(const std::string& path);
  // Writes the copy, replacing the one kept before under that name, and holds its lock.
  Status Keep(const std::string& key, const std::string& bytes);
  // Removes the copy and lets its lock go.
  void Drop(const std::string& key);
  // The copies of `path` (of new texts, for an empty path) that no run holds any more, each
  // with its name; the bytes they hold.
  struct Left {
    std::string key;
    std::string bytes;
  };
  std::vector<Left> LeftBehind(const std::string& path);

  // The folder the environment names; empty when it names none (no home).
  static std::string DefaultFolder();

 private:
  std::string PrefixFor(const std::string& path);
  // The folder, opened without following a link, made if missing; refused unless it is this
  // user's own and closed to others. Returns its descriptor, or -1 with `error` set.
  int OpenFolder(Error& error);

  FileSystem& files_;
  std::string folder_;
  std::map<std::string, int> held_;  // each copy kept, and the descriptor holding its lock
};

}  // namespace orbisk
