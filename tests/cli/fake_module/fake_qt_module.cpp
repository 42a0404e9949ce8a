// A stand-in for the Qt module built for another interface: any call past the version
// check ends the process, so a test sees it.
#include <cstdlib>

namespace {

[[noreturn]] void* Never() { std::abort(); }

}  // namespace

extern "C" {
#ifdef FAKE_INTERFACE_VERSION
// A later module's table: its first member is its version, whatever follows.
struct FakeTable {
  int interfaceVersion;
  void* (*anything)();
};
constexpr FakeTable kTable = {FAKE_INTERFACE_VERSION, Never};
__attribute__((visibility("default"))) const FakeTable* orbisk_qt_module() { return &kTable; }
#else
// A module from before the one entry point, with the entry points of its time.
__attribute__((visibility("default"))) int orbisk_qt_interface_version() { return 3; }
__attribute__((visibility("default"))) void* orbisk_qt_message_boxes() { Never(); }
#endif
}
