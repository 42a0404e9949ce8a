// Command-line names: completion, the program's folder before the current one, direction.
#include "name_resolution.hpp"

#include <gtest/gtest.h>

#include <set>

namespace orbisk {
namespace {

// Resolves against a made-up set of existing files.
std::string Resolve(const std::string& name, const std::set<std::string>& existing) {
  return ResolveSourceName(name, "/opt/orbisk/bin",
                           [&](const std::string& path) { return existing.count(path) > 0; });
}

TEST(ResolveSourceNameTest, AbsoluteNamesStayAndGainTheDefaultExtension) {
  EXPECT_EQ(Resolve("/calc/prog.9xt", {}), "/calc/prog.9xt");
  EXPECT_EQ(Resolve("/calc/prog", {}), "/calc/prog.9xt");
  EXPECT_EQ(Resolve("/calc/prog.txt", {}), "/calc/prog.txt");
  EXPECT_EQ(Resolve("/c.d/prog", {}), "/c.d/prog.9xt");
}

TEST(ResolveSourceNameTest, ColonsDoNotMakeANameAbsolute) {
  EXPECT_EQ(Resolve("C:prog", {}), "/opt/orbisk/bin/C:prog.9xt");
}

TEST(ResolveSourceNameTest, TheProgramsFolderComesFirst) {
  const std::set<std::string> both{"/opt/orbisk/bin/prog.9xt", "prog.9xt"};
  EXPECT_EQ(Resolve("prog", both), "/opt/orbisk/bin/prog.9xt");
  EXPECT_EQ(Resolve("prog.9xt", both), "/opt/orbisk/bin/prog.9xt");
}

TEST(ResolveSourceNameTest, TheCurrentFolderServesWhenTheProgramsHasNoSuchFile) {
  EXPECT_EQ(Resolve("prog", {"prog.9xt"}), "prog.9xt");
  EXPECT_EQ(Resolve("sub.d/prog", {"sub.d/prog.9xt"}), "sub.d/prog.9xt");
  EXPECT_EQ(Resolve("../prog.9xt", {"../prog.9xt"}), "../prog.9xt");
}

TEST(ResolveSourceNameTest, NeitherExistingNamesTheProgramsFolder) {
  EXPECT_EQ(Resolve("prog", {}), "/opt/orbisk/bin/prog.9xt");
  EXPECT_EQ(Resolve("My Files/prog", {}), "/opt/orbisk/bin/My Files/prog.9xt");
  EXPECT_EQ(Resolve("", {}), "/opt/orbisk/bin/.9xt");
}

TEST(ResolveSourceNameTest, TheRootAsProgramsFolderGivesNoDoubleSlash) {
  EXPECT_EQ(ResolveSourceName("prog", "/", [](const std::string&) { return false; }), "/prog.9xt");
}

TEST(ConversionModelTest, VoyagerNamesOfAnyTypeGoToTi92PlusAndEverythingElseToV200) {
  for (const char* name :
       {"/calc/prog.V2T", "/calc/prog.v2p", "/calc/cours.V2G", "/c/l.v2l", "/calc/x.v2clk"}) {
    EXPECT_EQ(ConversionModel(name), Model::Ti92Plus) << name;
  }
  for (const char* name : {"/calc/prog.9xt", "/calc/prog.txt", "/c.v2t/prog.9xt", "/calc/prog.v2tx",
                           "/calc/v2t", "/calc/prog.v2", "/calc/prog.89p", "/calc/prog.v2b"}) {
    EXPECT_EQ(ConversionModel(name), Model::Voyager200) << name;
  }
  EXPECT_EQ(ConversionModel("/calc/prog.v2t", Model::Ti89), Model::Ti89);
}
}  // namespace
}  // namespace orbisk
