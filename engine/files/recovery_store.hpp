// Where recovery copies are kept: $XDG_STATE_HOME/orbisk, or ~/.local/state/orbisk, a
// folder only its owner may enter, each copy readable by its owner only. A copy is named
// after what it is for (a file, by a hash of its full path, or a new text by a number) and
// the process that keeps it, so that a run finds the copies that runs which ended left, not
// those another run still keeps.
#pragma once

#include <string>
#include <vector>

#include "error.hpp"
#include "file_system.hpp"

namespace orbisk {

class RecoveryStore {
 public:
  // `folder` empty: the one the environment names.
  explicit RecoveryStore(FileSystem& files, std::string folder = {});

  // The name a copy of the text of `path` is kept under by this process; for an empty path,
  // a new name for a new text each time.
  std::string KeyFor(const std::string& path);
  // Writes the copy, replacing the one kept before.
  Status Keep(const std::string& key, const std::string& bytes);
  void Drop(const std::string& key);
  // The copies of `path` (of new texts, for an empty path) that a run which ended left, each
  // with its name; the bytes they hold.
  struct Left {
    std::string key;
    std::string bytes;
  };
  std::vector<Left> LeftBehind(const std::string& path);

  static std::string DefaultFolder();

 private:
  std::string PrefixFor(const std::string& path);

  FileSystem& files_;
  std::string folder_;
  unsigned newTexts_ = 0;
};

}  // namespace orbisk
