// The options and names of the orbisk command.
#include "command_line.hpp"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

using Action = CommandLine::Action;
using Names = std::vector<std::string>;

TEST(CommandLineTest, NoArgumentsOpensTheWindow) {
  EXPECT_EQ(ParseCommandLine({}).action, Action::OpenWindow);
  EXPECT_EQ(ParseCommandLine({"--"}).action, Action::OpenWindow);
}

TEST(CommandLineTest, NamesAreKeptAsGivenInOrder) {
  const CommandLine line = ParseCommandLine({"a.9xt", "my prog.9xt", "\"q\"", "-", "b.v2t"});
  EXPECT_EQ(line.action, Action::Convert);
  EXPECT_FALSE(line.assumeYes);
  EXPECT_EQ(line.names, (Names{"a.9xt", "my prog.9xt", "\"q\"", "-", "b.v2t"}));
}

TEST(CommandLineTest, YesMayStandAnywhereAndInAGroup) {
  EXPECT_TRUE(ParseCommandLine({"-y", "a"}).assumeYes);
  EXPECT_TRUE(ParseCommandLine({"a", "--yes"}).assumeYes);
  const CommandLine grouped = ParseCommandLine({"-yy", "a"});
  EXPECT_TRUE(grouped.assumeYes);
  EXPECT_EQ(grouped.names, Names{"a"});
}

TEST(CommandLineTest, DoubleDashMakesTheRestNames) {
  const CommandLine line = ParseCommandLine({"-y", "--", "-h", "--yes", "--"});
  EXPECT_EQ(line.action, Action::Convert);
  EXPECT_EQ(line.names, (Names{"-h", "--yes", "--"}));
}

TEST(CommandLineTest, HelpWinsOverVersionAndNames) {
  EXPECT_EQ(ParseCommandLine({"a", "-h"}).action, Action::ShowHelp);
  EXPECT_EQ(ParseCommandLine({"--version", "--help"}).action, Action::ShowHelp);
  EXPECT_EQ(ParseCommandLine({"-V", "a"}).action, Action::ShowVersion);
  EXPECT_EQ(ParseCommandLine({"-yV"}).action, Action::ShowVersion);
}

TEST(CommandLineTest, UnknownOptionsAreUsageErrors) {
  const CommandLine longOption = ParseCommandLine({"a", "--force"});
  EXPECT_EQ(longOption.action, Action::UsageError);
  EXPECT_EQ(longOption.usageError, "orbisk : option inconnue « --force »");
  const CommandLine shortOption = ParseCommandLine({"-yx"});
  EXPECT_EQ(shortOption.action, Action::UsageError);
  EXPECT_EQ(shortOption.usageError, "orbisk : option inconnue « -x »");
}

}  // namespace
}  // namespace orbisk
