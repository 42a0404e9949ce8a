// Whether a graphical display can really be reached, checked without loading Qt.
#include "display.hpp"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace orbisk {
namespace {

constexpr int kConnectTimeoutMs = 1000;

const char* Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
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

bool UnixSocketAccepts(const std::string& path, bool abstract) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::size_t offset = abstract ? 1 : 0;
  if (path.size() + offset >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path + offset, path.data(), path.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  const auto length =
      static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
  const bool ok = Connected(fd, ::connect(fd, reinterpret_cast<sockaddr*>(&address), length));
  ::close(fd);
  return ok;
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

bool XDisplayReachable(const std::string& display) {
  std::string host;
  int number = 0;
  if (!ParseXDisplay(display, host, number)) return false;
  if (host.empty()) {
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    return UnixSocketAccepts(socket, true) || UnixSocketAccepts(socket, false);
  }
  return TcpPortAccepts(host, 6000 + number);
}

bool WaylandDisplayReachable(const std::string& display) {
  if (!display.empty() && display[0] == '/') return UnixSocketAccepts(display, false);
  const char* runtime = Variable("XDG_RUNTIME_DIR");
  return runtime != nullptr && UnixSocketAccepts(std::string(runtime) + "/" + display, false);
}

}  // namespace

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

bool DisplayAvailable() {
  if (Variable("QT_QPA_PLATFORM") != nullptr) return true;
  if (const char* wayland = Variable("WAYLAND_DISPLAY")) {
    if (WaylandDisplayReachable(wayland)) return true;
  }
  const char* x = Variable("DISPLAY");
  return x != nullptr && XDisplayReachable(x);
}

}  // namespace orbisk
