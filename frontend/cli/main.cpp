// The orbisk program: start-up only.
#include <clocale>
#include <csignal>

#include "signal_cleanup.hpp"
#include "start_up.hpp"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  // Past a file-size limit, writing must fail with an error the conversion reports and
  // cleans up after, not end the process and leave a temporary file behind.
  std::signal(SIGXFSZ, SIG_IGN);
  // Ended by a signal, the program still leaves no temporary file behind.
  orbisk::InstallSignalCleanup();
  return orbisk::Main(argc, argv);
}
