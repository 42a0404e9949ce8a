// The error numbers the link piece tells apart: the libraries' own (libticalcs' and
// libticables' error.h, which their packages do not install), and this piece's one more.
#pragma once

namespace orbisk::link::errors {

// libticalcs'.
constexpr int kAbort = 256;
constexpr int kNotReady = 257;
constexpr int kChecksum = 258;
constexpr int kInvalidCommand = 261;
constexpr int kInvalidPacket = 262;
constexpr int kRejected = 263;
constexpr int kNoCable = 268;
constexpr int kBusy = 269;
constexpr int kMissingVariable = 278;
constexpr int kCalculatorRefusal = 350;  // and up: 350 + the calculator's own code
// libticables': a port in use, one that could not be opened, no cable at all.
constexpr int kCableBusy = 1;
constexpr int kEmulatorAbsent = 33;
constexpr int kSerialOpen = 35;
constexpr int kUsbOpen = 37;
constexpr int kUsbClaimed = 38;
constexpr int kNeedsRoot = 42;
constexpr int kTtyOpen = 46;
constexpr int kNoCableFound = 50;
// This piece's: a variable received whose own size disagrees with what came.
constexpr int kIncompleteVariable = 1000;

}  // namespace orbisk::link::errors
