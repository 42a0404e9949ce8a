// Choosing a platform that shows windows, and reading DISPLAY values, without loading Qt.
#include "display.hpp"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace orbisk {
namespace {

TEST(ParseXDisplayTest, ReadsLocalAndRemoteDisplays) {
  std::string host = "unset";
  int number = -1;
  ASSERT_TRUE(ParseXDisplay(":0", host, number));
  EXPECT_EQ(host, "");
  EXPECT_EQ(number, 0);
  ASSERT_TRUE(ParseXDisplay("unix:12.1", host, number));
  EXPECT_EQ(host, "");
  EXPECT_EQ(number, 12);
  ASSERT_TRUE(ParseXDisplay("localhost:10.0", host, number));
  EXPECT_EQ(host, "localhost");
  EXPECT_EQ(number, 10);
}

TEST(ParseXDisplayTest, RefusesWhatIsNotADisplay) {
  std::string host;
  int number = 0;
  for (const char* bad : {"", "0", ":", ":x", ":1x", "host:"}) {
    EXPECT_FALSE(ParseXDisplay(bad, host, number)) << bad;
  }
}

// The platform chosen for an environment, with scripted answers from the system.
struct PlatformRow {
  const char* name;
  std::map<std::string, std::string> environment;
  bool xAccepts;
  bool waylandAccepts;
  std::set<std::string> plugins;
  std::string expected;
};

class UsablePlatformTest : public ::testing::TestWithParam<PlatformRow> {};

TEST_P(UsablePlatformTest, ChoosesOnlyAPlatformThatShowsAWindow) {
  const PlatformRow& row = GetParam();
  std::vector<std::string> probedX;
  const DisplayChecks checks{
      [&](const std::string& display) {
        probedX.push_back(display);
        return row.xAccepts;
      },
      [&](const std::string&) { return row.waylandAccepts; },
      [&](const std::string& plugin) { return row.plugins.count(plugin) > 0; }};
  const auto getenv = [&](const char* key) -> const char* {
    const auto found = row.environment.find(key);
    return found == row.environment.end() ? nullptr : found->second.c_str();
  };
  EXPECT_EQ(UsablePlatform(getenv, checks), row.expected);
  for (const std::string& display : probedX) EXPECT_EQ(display, row.environment.at("DISPLAY"));
}

const std::set<std::string> kX11 = {"libqxcb.so"};
const std::set<std::string> kBoth = {"libqxcb.so", "libqwayland-generic.so"};

INSTANTIATE_TEST_SUITE_P(
    Environments, UsablePlatformTest,
    ::testing::Values(
        PlatformRow{"X11", {{"DISPLAY", ":0"}}, true, false, kX11, "xcb"},
        PlatformRow{"X11Refusing", {{"DISPLAY", ":0"}}, false, false, kX11, ""},
        PlatformRow{"X11WithoutPlugin", {{"DISPLAY", ":0"}}, true, false, {}, ""},
        PlatformRow{"Nothing", {}, true, true, kBoth, ""},
        PlatformRow{"Offscreen", {{"QT_QPA_PLATFORM", "offscreen"}, {"DISPLAY", ":0"}}, true,
                    true, kBoth, ""},
        PlatformRow{"Minimal", {{"QT_QPA_PLATFORM", "minimal"}}, true, true, kBoth, ""},
        PlatformRow{"XcbWithoutDisplay", {{"QT_QPA_PLATFORM", "xcb"}}, true, true, kBoth, ""},
        PlatformRow{"XcbWithOptions",
                    {{"QT_QPA_PLATFORM", "xcb:nograb"}, {"DISPLAY", ":1"}},
                    true, false, kX11, "xcb:nograb"},
        PlatformRow{"WaylandWithoutPlugin",
                    {{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_SESSION_TYPE", "wayland"}},
                    false, true, kX11, ""},
        PlatformRow{"WaylandSession",
                    {{"WAYLAND_DISPLAY", "wayland-0"},
                     {"XDG_SESSION_TYPE", "wayland"},
                     {"DISPLAY", ":0"}},
                    true, true, kBoth, "wayland"},
        PlatformRow{"WaylandSilentFallsBackToX11",
                    {{"WAYLAND_DISPLAY", "wayland-0"},
                     {"XDG_SESSION_TYPE", "wayland"},
                     {"DISPLAY", ":0"}},
                    true, false, kBoth, "xcb"},
        PlatformRow{"X11SessionPrefersX11",
                    {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}},
                    true, true, kBoth, "xcb"},
        PlatformRow{"ListTriedInOrder",
                    {{"QT_QPA_PLATFORM", "offscreen;wayland;xcb"}, {"DISPLAY", ":0"}},
                    true, false, kBoth, "xcb"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace orbisk
