// The orbisk program: start-up only.
#include <csignal>

#include "start_up.hpp"

// The C library's locale is left as it starts: nothing written depends on it, and loading the
// user's costs more than a whole conversion. Dates and system error texts look the user's
// locale up when they need it, and Qt sets it when a window opens.
int main(int argc, char** argv) {
  // Past a file-size limit, writing must fail with an error the conversion reports and
  // cleans up after, not end the process and leave a temporary file behind.
  std::signal(SIGXFSZ, SIG_IGN);
  // Ended by a signal, the program still leaves no temporary file behind: the handlers that
  // see to it come with the first named one (an unnamed one vanishes with the process).
  return orbisk::Main(argc, argv);
}
