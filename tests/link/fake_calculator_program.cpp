// The fake calculator as a program of its own, at the emulator's end of the TiEmu cable, so
// that the real orbisk can talk to it from another process:
//   fake_calculator MODEL STORE [FILE...]
// MODEL is 89, 89t, 92p or v200; each FILE's variables are on it from the start. Once its end
// of the cable is open it prints "prêt PID"; on SIGTERM it writes each variable it holds as
// STORE/FOLDER.NAME (its data), prints "fini" and ends.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <string>

#include "fake_calculator.hpp"
#include "files.hpp"
#include "tilibs.hpp"
#include "variable_file.hpp"

namespace {

volatile std::sig_atomic_t stopping = 0;

extern "C" void Stop(int) { stopping = 1; }

orbisk::testing::FakeModel ModelNamed(const std::string& name) {
  using orbisk::testing::FakeModel;
  if (name == "89t") return FakeModel::Ti89Titanium;
  if (name == "92p") return FakeModel::Ti92Plus;
  if (name == "v200") return FakeModel::Voyager200;
  return FakeModel::Ti89;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "fake_calculator MODEL STORE [FILE...]\n";
    return 2;
  }
  std::signal(SIGTERM, Stop);
  orbisk::testing::FakeCalculator calculator(ModelNamed(argv[1]));
  for (int i = 3; i < argc; ++i) {
    const std::string bytes = orbisk::testing::ReadFile(argv[i]);
    for (const orbisk::VariableEntry& entry :
         orbisk::ParseVariableFile(bytes, bytes.size()).file.entries) {
      calculator.variables.push_back(
          {entry.folder, entry.name, entry.type, entry.attribute, entry.data});
    }
  }
  ticables_library_init();
  // Port 1 is the emulator's end of the cable; a linking program takes port 2.
  CableHandle* cable = ticables_handle_new(CABLE_TIE, PORT_1);
  ticables_options_set_timeout(cable, 1);
  if (cable == nullptr || ticables_cable_open(cable) != 0) {
    std::cerr << "fake_calculator: the TiEmu cable could not be opened\n";
    return 1;
  }
  std::cout << "prêt " << ::getpid() << std::endl;
  while (!stopping) {
    // Until the host opens its end, a read gives nothing yet says it did: ask first.
    CableStatus status = STATUS_NONE;
    if (ticables_cable_check(cable, &status) != 0 || (status & STATUS_RX) == 0) {
      const timespec moment{0, 200000};
      ::nanosleep(&moment, nullptr);
      continue;
    }
    std::uint8_t byte = 0;
    if (ticables_cable_recv(cable, &byte, 1) != 0) continue;
    calculator.Hear(&byte, 1);
    std::string said = calculator.TakeSaid();
    if (!said.empty()) {
      ticables_cable_send(cable, reinterpret_cast<std::uint8_t*>(said.data()),
                          static_cast<std::uint32_t>(said.size()));
    }
  }
  ticables_cable_close(cable);
  ticables_handle_del(cable);
  for (const orbisk::testing::FakeVariable& variable : calculator.variables) {
    std::ofstream(std::string(argv[2]) + "/" + variable.folder + "." + variable.name,
                  std::ios::binary)
        << variable.data;
  }
  std::cout << "fini" << std::endl;
  return 0;
}
