// Recovery copies: their folder the user's own, each copy written without following a link,
// each window's its own, and a copy offered only once no running window holds its lock.
#include "recovery_store.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "files.hpp"
#include "posix_file_system.hpp"
#include "temp_folder.hpp"

namespace orbisk {
namespace {

using testing::ReadFile;
using testing::WriteFile;

class RecoveryStoreTest : public ::testing::Test {
 protected:
  std::unique_ptr<RecoveryStore> Store() {
    return std::make_unique<RecoveryStore>(files_, folder_ / "copies");
  }
  std::string Copies() const { return folder_ / "copies"; }

  PosixFileSystem files_;
  testing::TempFolder folder_;
};

TEST_F(RecoveryStoreTest, ACopyIsOfferedOnlyOnceNoRunningWindowHoldsIt) {
  const std::string notes = folder_ / "notes.9xt";
  auto running = Store();
  // Two windows of one file: two copies, each removed only by its own window.
  const std::string first = running->KeyFor(notes);
  const std::string second = running->KeyFor(notes);
  EXPECT_NE(first, second);
  ASSERT_TRUE(running->Keep(first, "first"));
  ASSERT_TRUE(running->Keep(second, "second"));
  ASSERT_TRUE(running->Keep(second, "second, later"));
  running->Drop(first);
  EXPECT_FALSE(std::filesystem::exists(Copies() + "/" + first));
  EXPECT_EQ(ReadFile(Copies() + "/" + second), "second, later");
  // Another run sees the copy a running window holds, and leaves it alone.
  auto other = Store();
  EXPECT_TRUE(other->LeftBehind(notes).empty());
  // Once that run has ended, the copy is offered, whatever process number it had.
  running.reset();
  const std::vector<RecoveryStore::Left> left = other->LeftBehind(notes);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].key, second);
  EXPECT_EQ(left[0].bytes, "second, later");
  EXPECT_TRUE(other->LeftBehind(folder_ / "other.9xt").empty());
}

TEST_F(RecoveryStoreTest, AFolderOpenToOthersIsRefusedAndALinkIsNeverFollowed) {
  auto store = Store();
  const std::string key = store->KeyFor("");
  ASSERT_TRUE(store->Keep(key, "a"));
  struct stat made {};
  ASSERT_EQ(::stat(Copies().c_str(), &made), 0);
  EXPECT_EQ(made.st_mode & 0777, 0700u);

  // A link planted under the copy's name: replaced, its target untouched.
  WriteFile(folder_ / "victim", "the victim's own");
  std::filesystem::remove(Copies() + "/" + key);
  std::filesystem::create_symlink(folder_ / "victim", Copies() + "/" + key);
  ASSERT_TRUE(store->Keep(key, "b"));
  EXPECT_EQ(ReadFile(folder_ / "victim"), "the victim's own");
  EXPECT_FALSE(std::filesystem::is_symlink(Copies() + "/" + key));
  EXPECT_EQ(ReadFile(Copies() + "/" + key), "b");

  // A folder others may write in is no place for copies.
  std::filesystem::permissions(Copies(), std::filesystem::perms::all);
  const Status refused = store->Keep(key, "c");
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().kind, ErrorKind::RecoveryFolderUnsafe);
  EXPECT_EQ(ReadFile(Copies() + "/" + key), "b");
  EXPECT_TRUE(Store()->LeftBehind("").empty());
}

TEST_F(RecoveryStoreTest, WithoutHomeTheFolderIsTheUsersNeverTmp) {
  const char* home = std::getenv("HOME");
  const char* state = std::getenv("XDG_STATE_HOME");
  const std::string savedHome = home != nullptr ? home : "";
  const std::string savedState = state != nullptr ? state : "";
  ::unsetenv("HOME");
  ::unsetenv("XDG_STATE_HOME");
  const std::string folder = RecoveryStore::DefaultFolder();
  if (home != nullptr) ::setenv("HOME", savedHome.c_str(), 1);
  if (state != nullptr) ::setenv("XDG_STATE_HOME", savedState.c_str(), 1);
  EXPECT_EQ(folder.rfind("/tmp", 0), std::string::npos) << folder;
  EXPECT_NE(folder.find("/.local/state/orbisk"), std::string::npos) << folder;
}

}  // namespace
}  // namespace orbisk
