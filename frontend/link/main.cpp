// orbisk-link: the orbisk command's --send, --receive and --calc, which orbisk hands over
// to this program so that only it links the calculator link libraries.
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>

#include "assume_yes.hpp"
#include "cli_texts.hpp"
#include "command_line.hpp"
#include "exit_status.hpp"
#include "link_command.hpp"
#include "local_engine.hpp"
#include "posix_file_system.hpp"
#include "progress_views.hpp"
#include "run_messengers.hpp"
#include "standard_output.hpp"
#include "window_protocol.hpp"

namespace {

using orbisk::CommandLine;

// The first Ctrl-C (or SIGTERM, as the editor's Annuler sends) stops the transfer cleanly:
// the library returns, nothing half-received is written. A second one ends the process.
extern "C" void CancelTransfer(int signal) {
  orbisk::link::CancelFromSignal();
  std::signal(signal, SIG_DFL);
}

// Run by a window, orbisk-link speaks its protocol; otherwise to a person.
bool ForAWindow() {
  const char* value = std::getenv(orbisk::link_protocol::kVariable);
  return value != nullptr && *value == '1';
}

std::unique_ptr<orbisk::link::ProgressView> ChooseProgress(bool forAWindow) {
  if (forAWindow) return std::make_unique<orbisk::link::ProgressLines>(std::cerr);
  if (::isatty(STDERR_FILENO)) return std::make_unique<orbisk::link::TerminalProgress>(std::cerr);
  return std::make_unique<orbisk::link::NoProgress>();
}

// The cable, port and model a user keeps in the environment, where the command line names
// none: for a cable nothing finds by itself, and for the editor, which has no options.
void TakeDefaultsFromEnvironment(CommandLine& line) {
  const auto value = [](const char* name) {
    const char* set = std::getenv(name);
    return std::string(set != nullptr ? set : "");
  };
  if (line.cable.empty()) line.cable = value("ORBISK_CABLE");
  const std::string port = value("ORBISK_PORT");
  if (line.port == 0 && port.size() == 1 && port[0] >= '1' && port[0] <= '4') {
    line.port = port[0] - '0';
  }
  if (line.calculatorModel.empty()) line.calculatorModel = value("ORBISK_MODEL");
}

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGXFSZ, SIG_IGN);
  orbisk::ReserveStandardDescriptors();
  CommandLine line = orbisk::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (line.action == CommandLine::Action::UsageError) {
    std::cerr << line.usageError << "\n" << orbisk::texts::TryHelp();
    return orbisk::kExitUsage;
  }
  if (line.action != CommandLine::Action::Send && line.action != CommandLine::Action::Receive &&
      line.action != CommandLine::Action::ListCalculator) {
    std::cerr << orbisk::texts::OptionOnlyWith(orbisk::link_protocol::kProgram,
                                               {"--send", "--receive", "--calc"})
              << "\n";
    return orbisk::kExitUsage;
  }
  TakeDefaultsFromEnvironment(line);
  const bool forAWindow = ForAWindow();
  for (const int s : {SIGINT, SIGTERM, SIGHUP}) std::signal(s, CancelTransfer);

  orbisk::PosixFileSystem files;
  orbisk::SystemClock clock;
  orbisk::LocalEngine engine(files, clock);
  // A window's protocol; or, for a desktop's action (--notify), boxes and one word at the end.
  const std::unique_ptr<orbisk::Messenger> chosen =
      forAWindow ? std::make_unique<orbisk::link::WindowMessenger>(std::cin, std::cerr)
                 : orbisk::ChooseMessenger(line.notify);
  orbisk::AssumeYes yes(*chosen);
  orbisk::Conversation user(line.assumeYes ? static_cast<orbisk::Messenger&>(yes) : *chosen);
  orbisk::StandardOutput out;
  orbisk::SuccessNotice notice(out.stream(), line.action == CommandLine::Action::Send
                                                 ? orbisk::messages::Made::Sending
                                                 : orbisk::messages::Made::Receiving);
  const bool notifying = line.notify && !forAWindow;
  if (notifying) notice.Start(user);
  orbisk::Converted done;
  if (forAWindow) {
    done = [](const std::string& source, const std::string& target) {
      std::cerr << orbisk::link::ProtocolLine(orbisk::link_protocol::kMade, source + '\n' + target)
                << std::flush;
    };
  } else if (notifying) {
    done = std::ref(notice);
  }
  orbisk::CommandRun run{engine, user, out.stream(), done, {}};
  const std::unique_ptr<orbisk::link::ProgressView> progress = ChooseProgress(forAWindow);
  const int status =
      orbisk::link::RunLinkCommand(line, orbisk::link::LinkOptions{}, run, *progress);
  if (notifying) notice.Finish(user);
  if (const int error = out.Finish()) {
    std::cerr << orbisk::texts::CannotWriteOutput(error);
    return status == orbisk::kExitConverted ? orbisk::kExitNotConverted : status;
  }
  return status;
}
