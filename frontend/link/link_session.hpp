// One conversation with a calculator over its link cable, through Debian's link libraries
// (libticables, libticalcs, libtifiles): a ready check, variables sent, the folders and
// variables listed, variables received. Everything that links those libraries is in this
// piece, which the orbisk program only ever starts as a program of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tilibs.hpp"

namespace orbisk::link {

struct LinkOptions {
  CableModel cable = CABLE_SLV;
  CablePort port = PORT_1;
  CalcModel model = CALC_TI89;
  // How long the calculator may stay silent, in tenths of a second.
  unsigned timeout = 30;
  // For tests: every byte the cable sends and receives goes through this hook.
  ticables_event_hook_type hook = nullptr;
  void* hookData = nullptr;
};

// A variable as the calculator lists it.
struct CalcVariable {
  std::string folder;
  std::string name;
  std::uint8_t type = 0;
  std::uint8_t attribute = 0;
  std::uint32_t size = 0;
};

// A variable's content, as it travels: its data are the bytes after the 2-byte size of a
// variable file's entry.
struct CalcData {
  std::string folder;
  std::string name;
  std::uint8_t type = 0;
  std::uint8_t attribute = 0;
  std::string data;
};

// How far the transfer under way has gone, in the library's units (bytes of a variable).
struct TransferProgress {
  int done = 0;
  int total = 0;
};

// Every call returns 0 or the libraries' error code (see texts::LinkError).
class LinkSession {
 public:
  explicit LinkSession(const LinkOptions& options);
  ~LinkSession();
  LinkSession(const LinkSession&) = delete;
  LinkSession& operator=(const LinkSession&) = delete;

  // Opens the cable and attaches the calculator; the first call to make.
  int Open();
  // Whether the calculator answers and is at its home screen.
  int Ready();
  int Send(const CalcData& variable);
  int List(std::vector<CalcVariable>& variables);
  int Receive(const CalcVariable& wanted, CalcData& received);
  // Asks the transfer under way to stop; it then ends with ERROR_ABORT.
  void Cancel() { update_.cancel = 1; }
  CalcModel Model() const { return options_.model; }
  TransferProgress Progress() const;
  // Called as a transfer goes on, on the thread that runs it.
  std::function<void(TransferProgress)> onProgress;

 private:
  LinkOptions options_;
  CableHandle* cable_ = nullptr;
  CalcHandle* calc_ = nullptr;
  bool attached_ = false;
  CalcUpdate update_{};
};

// Sets the libraries up, once a run; every session does, and so must whoever calls them
// before making one.
void InitialiseLinkLibraries();

// Stops the transfer under way, if any, as Cancel does, and every one the session starts
// after it (a signal may come between two); safe in a signal handler.
void CancelFromSignal();

}  // namespace orbisk::link
