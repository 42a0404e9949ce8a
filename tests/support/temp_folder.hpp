// A fresh folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orbisk::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The full path of a name inside the folder, as text.
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  // Names of the entries in the folder, sorted.
  std::vector<std::string> Entries() const;

 private:
  std::filesystem::path path_;
};

}  // namespace orbisk::testing
