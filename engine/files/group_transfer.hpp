// Group files: read one whole, write each of its variables as a file of its own, and make
// one from single-variable files (or other groups).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "clock.hpp"
#include "error.hpp"
#include "file_system.hpp"
#include "interaction.hpp"
#include "stamp.hpp"
#include "target_file.hpp"
#include "variable_file.hpp"

namespace orbisk {

// A file of these calculators read whole: a group, a single variable or a backup.
struct OpenedGroup {
  VariableFile file;
  Model model = Model::Voyager200;  // the model its signature is for
  FileInfo info;
  std::string path;
};

class GroupTransfer {
 public:
  GroupTransfer(FileSystem& files, Interaction& user, const Clock& clock,
                StampSeparators separators = LocaleStampSeparators());

  // Reads the file at `path` whole; refused when anything but its name is wrong with it.
  Result<OpenedGroup> Read(const std::string& path);
  // Writes variable `index` of `group` as a single-variable file for `model` into `target`,
  // asking before replacing a file. A backup, and on another model a variable bound to its
  // own, are refused.
  Status Extract(const OpenedGroup& group, std::size_t index, Model model,
                 const std::string& target, WrittenFiles* written = nullptr);
  // Makes a group for `model` in `target` from the variables of `sources`, each kept in its
  // folder, the folders in the order they first come. Two variables of one folder and name,
  // a backup, and a variable that cannot move to `model` are refused, and nothing is written.
  Status Make(const std::string& target, Model model, const std::vector<std::string>& sources,
              WrittenFiles* written = nullptr);

 private:
  FileSystem& files_;
  Interaction& user_;
  const Clock& clock_;
  StampSeparators separators_;
};

}  // namespace orbisk
