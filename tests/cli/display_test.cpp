// Choosing a platform that shows windows, and reading DISPLAY values, without loading Qt.
#include "display.hpp"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <thread>

#include "temp_folder.hpp"

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
        PlatformRow{"Offscreen",
                    {{"QT_QPA_PLATFORM", "offscreen"}, {"DISPLAY", ":0"}},
                    true,
                    true,
                    kBoth,
                    ""},
        PlatformRow{"Minimal", {{"QT_QPA_PLATFORM", "minimal"}}, true, true, kBoth, ""},
        PlatformRow{"XcbWithoutDisplay", {{"QT_QPA_PLATFORM", "xcb"}}, true, true, kBoth, ""},
        PlatformRow{"XcbWithOptions",
                    {{"QT_QPA_PLATFORM", "xcb:nograb"}, {"DISPLAY", ":1"}},
                    true,
                    false,
                    kX11,
                    "xcb:nograb"},
        PlatformRow{"WaylandWithoutPlugin",
                    {{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_SESSION_TYPE", "wayland"}},
                    false,
                    true,
                    kX11,
                    ""},
        PlatformRow{
            "WaylandSession",
            {{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}},
            true,
            true,
            kBoth,
            "wayland"},
        PlatformRow{
            "WaylandSilentFallsBackToX11",
            {{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}},
            true,
            false,
            kBoth,
            "xcb"},
        PlatformRow{"X11SessionPrefersX11",
                    {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}},
                    true,
                    true,
                    kBoth,
                    "xcb"},
        PlatformRow{"ListTriedInOrder",
                    {{"QT_QPA_PLATFORM", "offscreen;wayland;xcb"}, {"DISPLAY", ":0"}},
                    true,
                    false,
                    kBoth,
                    "xcb"}),
    [](const auto& row) { return std::string(row.param.name); });

// Wayland events, as a compositor sends them: the object's id, then the size and opcode.
std::string Event(std::uint32_t object, std::uint16_t opcode, const std::string& arguments) {
  const std::uint32_t header[2] = {
      object, (static_cast<std::uint32_t>(8 + arguments.size()) << 16) | opcode};
  return std::string(reinterpret_cast<const char*>(header), 8) + arguments;
}

std::string Word(std::uint32_t value) {
  return std::string(reinterpret_cast<const char*>(&value), 4);
}

// A compositor on a Unix socket that answers the first client's round trip with `answer`,
// in pieces of `piece` bytes, then keeps the connection open until the client is done.
class FakeCompositor {
 public:
  FakeCompositor(const std::string& path, std::string answer, std::size_t piece)
      : listener_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    bound_ = ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
             ::listen(listener_, 1) == 0;
    thread_ = std::thread([this, answer, piece] {
      const int client = ::accept(listener_, nullptr, nullptr);
      if (client < 0) return;
      char request[12];
      if (::recv(client, request, sizeof request, MSG_WAITALL) == sizeof request) {
        for (std::size_t at = 0; at < answer.size(); at += piece) {
          ::send(client, answer.data() + at, std::min(piece, answer.size() - at), MSG_NOSIGNAL);
          std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
      }
      char rest;
      while (::recv(client, &rest, 1, 0) > 0) {
      }
      ::close(client);
    });
  }
  ~FakeCompositor() {
    ::shutdown(listener_, SHUT_RDWR);
    thread_.join();
    ::close(listener_);
  }
  bool bound() const { return bound_; }

 private:
  int listener_;
  bool bound_ = false;
  std::thread thread_;
};

// The real probe against a compositor that answers: done alone, after another event or cut
// in pieces lets us in; an error event, even if done follows, or a hang-up, does not.
TEST(WaylandProbeTest, AnsweringCompositorsAreTold) {
  const std::string done = Event(2, 0, Word(1234));
  const std::string deleteId = Event(1, 1, Word(2));
  const std::string message = "refused";
  const std::string error =
      Event(1, 0,
            Word(1) + Word(3) + Word(static_cast<std::uint32_t>(message.size() + 1)) + message +
                std::string(1, '\0'));
  struct Row {
    const char* name;
    std::string answer;
    std::size_t piece;
    bool accepted;
  };
  const Row rows[] = {
      {"done", done, 100, true},
      {"delete_id then done", deleteId + done, 100, true},
      {"done in pieces", deleteId + done, 3, true},
      {"an error event", error, 100, false},
      {"an error, then done", error + done, 100, false},
      {"a hang-up", "", 100, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    testing::TempFolder runtime;
    const std::string path = runtime / "wayland-7";
    bool accepted = false;
    {
      FakeCompositor compositor(path, row.answer, row.piece);
      ASSERT_TRUE(compositor.bound());
      accepted = SystemDisplayChecks().waylandAccepts(path);
    }
    EXPECT_EQ(accepted, row.accepted);
  }
}

}  // namespace
}  // namespace orbisk
