// orbisk-link: the orbisk command's --send, --receive and --calc, which orbisk hands over
// to this program so that only it links the calculator link libraries.
#include <unistd.h>

#include <csignal>
#include <cstdlib>
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
#include "standard_output.hpp"
#include "terminal_interaction.hpp"
#include "unattended_interaction.hpp"

namespace {

// The first Ctrl-C (or SIGTERM, as the editor's Annuler sends) stops the transfer cleanly:
// the library returns, nothing half-received is written. A second one ends the process.
extern "C" void CancelTransfer(int signal) {
  orbisk::link::CancelFromSignal();
  std::signal(signal, SIG_DFL);
}

std::unique_ptr<orbisk::link::ProgressView> ChooseProgress() {
  const char* lines = std::getenv("ORBISK_PROGRESS_LINES");
  if (lines != nullptr && *lines == '1') {
    return std::make_unique<orbisk::link::ProgressLines>(std::cerr);
  }
  if (::isatty(STDERR_FILENO)) return std::make_unique<orbisk::link::TerminalProgress>(std::cerr);
  return std::make_unique<orbisk::link::NoProgress>();
}

}  // namespace

int main(int argc, char** argv) {
  using orbisk::CommandLine;
  std::signal(SIGXFSZ, SIG_IGN);
  orbisk::ReserveStandardDescriptors();
  const CommandLine line =
      orbisk::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (line.action == CommandLine::Action::UsageError) {
    std::cerr << line.usageError << "\n" << orbisk::texts::TryHelp();
    return orbisk::kExitUsage;
  }
  if (line.action != CommandLine::Action::Send && line.action != CommandLine::Action::Receive &&
      line.action != CommandLine::Action::ListCalculator) {
    std::cerr << orbisk::texts::OptionOnlyWith("orbisk-link", {"--send", "--receive", "--calc"})
              << "\n";
    return orbisk::kExitUsage;
  }
  for (const int s : {SIGINT, SIGTERM, SIGHUP}) std::signal(s, CancelTransfer);

  orbisk::PosixFileSystem files;
  orbisk::SystemClock clock;
  orbisk::LocalEngine engine(files, clock);
  std::unique_ptr<orbisk::Messenger> chosen;
  if (::isatty(STDIN_FILENO)) {
    chosen = std::make_unique<orbisk::TerminalInteraction>(std::cin, std::cerr);
  } else {
    chosen = std::make_unique<orbisk::UnattendedInteraction>(std::cerr);
  }
  orbisk::AssumeYes yes(*chosen);
  orbisk::Conversation user(line.assumeYes ? static_cast<orbisk::Messenger&>(yes) : *chosen);
  orbisk::StandardOutput out;
  orbisk::CommandRun run{engine, user, out.stream(), {}, {}};
  const std::unique_ptr<orbisk::link::ProgressView> progress = ChooseProgress();
  const int status =
      orbisk::link::RunLinkCommand(line, orbisk::link::LinkOptions{}, run, *progress);
  if (const int error = out.Finish()) {
    std::cerr << orbisk::texts::CannotWriteOutput(error);
    return status == orbisk::kExitConverted ? orbisk::kExitNotConverted : status;
  }
  return status;
}
