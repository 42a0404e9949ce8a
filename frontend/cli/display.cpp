// Which Qt platform can show a window on a screen a person sees, checked without loading Qt.
#include "display.hpp"

#include <dlfcn.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "signal_cleanup.hpp"

namespace orbisk {
namespace {

// How long a display may take to let Orbisk in, from the first connection to its answer.
constexpr int kConnectTimeoutMs = 1000;

long long NowMs() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Milliseconds left until `deadline`, at least 0.
int LeftUntil(long long deadline) {
  const long long left = deadline - NowMs();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for a non-blocking connect to finish; true when it succeeded.
bool Connected(int fd, int result) {
  if (result == 0) return true;
  if (errno != EINPROGRESS) return false;
  pollfd waiting{fd, POLLOUT, 0};
  if (::poll(&waiting, 1, kConnectTimeoutMs) != 1) return false;
  int error = 0;
  socklen_t length = sizeof error;
  return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

// A connected socket to a Unix path, or -1. The connect blocks only while a busy listener's
// queue is full; a non-blocking one would fail then.
int ConnectUnix(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return -1;
  std::memcpy(address.sun_path, path.data(), path.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size());
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Asks a Wayland compositor for a round trip, as every client's first exchange does: a
// wl_display.sync request, answered by a wl_callback.done event. Whatever listens there
// and does not answer within the time limit is no compositor.
bool WaylandRoundTrip(int fd) {
  const long long deadline = NowMs() + kConnectTimeoutMs;
  constexpr std::uint32_t kDisplay = 1, kCallback = 2, kSync = 0, kDone = 0, kError = 0;
  const std::uint32_t request[3] = {kDisplay, (12u << 16) | kSync, kCallback};
  if (::send(fd, request, sizeof request, MSG_NOSIGNAL) != sizeof request) return false;
  unsigned char events[512];
  std::size_t have = 0;
  for (;;) {
    // Each event: the object's id, then its size and opcode, then its arguments. Others
    // (a delete_id, say) may come first; an error means the compositor will not have us.
    std::size_t at = 0;
    while (have - at >= 8) {
      std::uint32_t object = 0, sizeAndOpcode = 0;
      std::memcpy(&object, events + at, 4);
      std::memcpy(&sizeAndOpcode, events + at + 4, 4);
      const std::uint32_t opcode = sizeAndOpcode & 0xffff;
      if (object == kCallback && opcode == kDone) return true;
      if (object == kDisplay && opcode == kError) return false;
      const std::size_t size = sizeAndOpcode >> 16;
      if (size < 8 || have - at < size) break;
      at += size;
    }
    std::memmove(events, events + at, have - at);
    have -= at;
    if (have == sizeof events) return false;
    pollfd waiting{fd, POLLIN, 0};
    if (::poll(&waiting, 1, LeftUntil(deadline)) != 1) return false;
    const ssize_t n = ::recv(fd, events + have, sizeof events - have, 0);
    if (n <= 0) return false;
    have += static_cast<std::size_t>(n);
  }
}

bool TcpPortAccepts(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
  bool ok = false;
  for (addrinfo* a = found; a != nullptr && !ok; a = a->ai_next) {
    const int fd =
        ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
    if (fd < 0) continue;
    ok = Connected(fd, ::connect(fd, a->ai_addr, a->ai_addrlen));
    ::close(fd);
  }
  ::freeaddrinfo(found);
  return ok;
}

// Whether the DISPLAY value can be read and, for a remote server, whether it accepts a
// connection within a bounded wait, so that the handshake below never waits on a host that
// does not answer. A local server's socket refuses at once when nobody listens, and a busy
// one makes a non-blocking connect fail spuriously, so it is left to the handshake.
bool XServerReachable(const std::string& display) {
  std::string host;
  int number = 0;
  if (!ParseXDisplay(display, host, number)) return false;
  return host.empty() || TcpPortAccepts(host, 6000 + number);
}

// The X connection handshake, authorisation included, done by libxcb as Qt's own X11
// platform does it. Without libxcb that platform could not start either.
bool XHandshakeInThisProcess(const std::string& display) {
  if (!XServerReachable(display)) return false;
  void* xcb = ::dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
  if (xcb == nullptr) return false;
  using Connect = void* (*)(const char*, int*);
  using HasError = int (*)(void*);
  using Disconnect = void (*)(void*);
  const auto connect = reinterpret_cast<Connect>(::dlsym(xcb, "xcb_connect"));
  const auto hasError = reinterpret_cast<HasError>(::dlsym(xcb, "xcb_connection_has_error"));
  const auto disconnect = reinterpret_cast<Disconnect>(::dlsym(xcb, "xcb_disconnect"));
  if (connect == nullptr || hasError == nullptr || disconnect == nullptr) return false;
  // libxcb writes the server's refusal to standard error; the user learns what it means
  // from the message that follows, so it is kept off.
  const int nothing = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (nothing >= 0) ::dup2(nothing, STDERR_FILENO);
  void* connection = connect(display.c_str(), nullptr);
  const bool ok = connection != nullptr && hasError(connection) == 0;
  if (connection != nullptr) disconnect(connection);
  return ok;
}

// The handshake in a child process, which is given kConnectTimeoutMs in all: libxcb waits
// for the server's answer without a limit, and a server that accepts the connection and
// says nothing would hold the program forever.
bool XHandshakeCompletes(const std::string& display) {
  int answer[2];
  if (::pipe2(answer, O_CLOEXEC) != 0) return false;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(answer[0]);
    ::close(answer[1]);
    return false;
  }
  if (child == 0) {
    // A signal that ends the child must not take the program's temporary file with it.
    ForgetTemporary();
    ::close(answer[0]);
    const char ok = XHandshakeInThisProcess(display) ? '1' : '0';
    const ssize_t written = ::write(answer[1], &ok, 1);
    ::_exit(written == 1 ? 0 : 1);
  }
  ::close(answer[1]);
  pollfd waiting{answer[0], POLLIN, 0};
  char ok = '0';
  const long long deadline = NowMs() + kConnectTimeoutMs;
  int ready = 0;
  do {
    ready = ::poll(&waiting, 1, LeftUntil(deadline));
  } while (ready < 0 && errno == EINTR);
  if (ready != 1 || ::read(answer[0], &ok, 1) != 1) ok = '0';
  ::close(answer[0]);
  if (ok != '1') ::kill(child, SIGKILL);
  while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
  return ok == '1';
}

bool WaylandCompositorAnswers(const std::string& display) {
  std::string path = display;
  if (display.empty() || display[0] != '/') {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0') return false;
    path = std::string(runtime) + "/" + display;
  }
  const int fd = ConnectUnix(path);
  if (fd < 0) return false;
  const bool ok = WaylandRoundTrip(fd);
  ::close(fd);
  return ok;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1) {
    parts.push_back(text.substr(start, at - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

// The folders Qt looks for platform plugins in: its own, and those the environment adds.
std::vector<std::string> PlatformPluginFolders() {
  std::vector<std::string> folders;
  if (const char* direct = std::getenv("QT_QPA_PLATFORM_PLUGIN_PATH")) {
    for (const std::string& folder : Split(direct, ':')) folders.push_back(folder);
  }
  if (const char* extra = std::getenv("QT_PLUGIN_PATH")) {
    for (const std::string& folder : Split(extra, ':')) folders.push_back(folder + "/platforms");
  }
  folders.push_back(std::string(ORBISK_QT_PLUGINS_DIR) + "/platforms");
  return folders;
}

bool PlatformPluginInstalled(const std::string& plugin) {
  for (const std::string& folder : PlatformPluginFolders()) {
    if (!folder.empty() && ::access((folder + "/" + plugin).c_str(), R_OK) == 0) return true;
  }
  return false;
}

// Whether the platform named by one QT_QPA_PLATFORM entry (such as "xcb" or
// "wayland-egl:option") would show a window here.
bool PlatformUsable(const std::string& entry, const std::function<const char*(const char*)>& getenv,
                    const DisplayChecks& checks) {
  const std::string name = entry.substr(0, entry.find(':'));
  const auto variable = [&getenv](const char* key) {
    const char* value = getenv(key);
    return std::string(value != nullptr ? value : "");
  };
  if (name == "xcb") {
    const std::string display = variable("DISPLAY");
    return !display.empty() && checks.pluginInstalled("libqxcb.so") &&
           checks.xServerAccepts(display);
  }
  if (name == "wayland" || name == "wayland-egl") {
    const std::string display = variable("WAYLAND_DISPLAY").empty() ? std::string("wayland-0")
                                                                    : variable("WAYLAND_DISPLAY");
    const std::string plugin = name == "wayland" ? "libqwayland-generic.so" : "libqwayland-egl.so";
    return checks.pluginInstalled(plugin) && checks.waylandAccepts(display);
  }
  return false;
}

}  // namespace

DisplayChecks SystemDisplayChecks() {
  return {XHandshakeCompletes, WaylandCompositorAnswers, PlatformPluginInstalled};
}

std::string UsablePlatform(const std::function<const char*(const char*)>& getenv,
                           const DisplayChecks& checks) {
  const char* chosen = getenv("QT_QPA_PLATFORM");
  std::vector<std::string> candidates;
  if (chosen != nullptr && *chosen != '\0') {
    candidates = Split(chosen, ';');
  } else {
    const char* session = getenv("XDG_SESSION_TYPE");
    const bool wayland = session != nullptr && std::strcmp(session, "wayland") == 0;
    // A Wayland session is tried first only when a compositor is named for it.
    const char* compositor = getenv("WAYLAND_DISPLAY");
    if (wayland && compositor != nullptr && *compositor != '\0') {
      candidates = {"wayland", "xcb"};
    } else {
      candidates = {"xcb"};
      if (compositor != nullptr && *compositor != '\0') candidates.push_back("wayland");
    }
  }
  for (const std::string& candidate : candidates) {
    if (PlatformUsable(candidate, getenv, checks)) return candidate;
  }
  return {};
}

bool PrepareDisplay() {
  // Checked once a run: a question and then the word on success would shake hands twice.
  static const bool usable = [] {
    const std::string platform = UsablePlatform(std::getenv, SystemDisplayChecks());
    if (platform.empty()) return false;
    ::setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    return true;
  }();
  return usable;
}

bool ParseXDisplay(const std::string& display, std::string& host, int& number) {
  const std::size_t colon = display.rfind(':');
  if (colon == std::string::npos) return false;
  host = display.substr(0, colon);
  if (host == "unix") host.clear();
  const std::string rest = display.substr(colon + 1);
  const std::size_t digits = rest.find_first_not_of("0123456789");
  if (digits == 0 || rest.empty()) return false;
  if (digits != std::string::npos && rest[digits] != '.') return false;
  number = std::atoi(rest.c_str());
  return true;
}

}  // namespace orbisk
