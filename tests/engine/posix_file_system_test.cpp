// The real file system's calls that must never replace a file: each fails with EEXIST and
// leaves what is there as it was.
#include "posix_file_system.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

#include "files.hpp"
#include "temp_folder.hpp"

namespace orbisk {
namespace {

using testing::ReadFile;
using testing::WriteFile;

TEST(PosixFileSystemTest, CallsThatCreateANameNeverReplaceOne) {
  struct Row {
    const char* call;
    std::function<int(PosixFileSystem&, const std::string& other, const std::string& taken)> act;
  };
  const Row rows[] = {
      {"CreateNew",
       [](PosixFileSystem& files, const std::string&, const std::string& taken) {
         int fd = -1;
         const int e = files.CreateNew(kCurrentFolder, taken, 0600, fd);
         if (fd >= 0) files.Close(fd);
         return e;
       }},
      {"RenameNoReplace",
       [](PosixFileSystem& files, const std::string& other, const std::string& taken) {
         return files.RenameNoReplace(kCurrentFolder, other, taken);
       }},
      {"Link", [](PosixFileSystem& files, const std::string& other,
                  const std::string& taken) { return files.Link(kCurrentFolder, other, taken); }},
      {"LinkUnnamed",
       [](PosixFileSystem& files, const std::string& other, const std::string& taken) {
         int fd = -1;
         int folder = -1;
         if (int e = files.OpenFolder(other.substr(0, other.rfind('/')), folder)) return e;
         if (int e = files.CreateUnnamed(folder, 0600, fd)) return e;
         const int e = files.LinkUnnamed(fd, kCurrentFolder, taken);
         files.Close(folder);
         files.Close(fd);
         return e;
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.call);
    testing::TempFolder folder;
    WriteFile(folder / "taken", "kept");
    WriteFile(folder / "other", "new");
    PosixFileSystem files;
    EXPECT_EQ(row.act(files, folder / "other", folder / "taken"), EEXIST);
    EXPECT_EQ(ReadFile(folder / "taken"), "kept");
  }
}

}  // namespace
}  // namespace orbisk
