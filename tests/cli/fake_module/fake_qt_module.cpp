// A stand-in for the Qt module built for another interface: any call past the version
// check ends the process, so a test sees it.
#include <cstdlib>

extern "C" {
#ifdef FAKE_INTERFACE_VERSION
__attribute__((visibility("default"))) int orbisk_qt_interface_version() {
  return FAKE_INTERFACE_VERSION;
}
#endif
__attribute__((visibility("default"))) void* orbisk_qt_message_boxes() { std::abort(); }
__attribute__((visibility("default"))) int orbisk_qt_run_window(void*) { std::abort(); }
}
