// Start-up: reads the command line and either converts the named files or opens the window.
#include "start_up.hpp"

#include <unistd.h>

#include <iostream>
#include <memory>

#include "assume_yes.hpp"
#include "cli_texts.hpp"
#include "command_line.hpp"
#include "convert_files.hpp"
#include "display.hpp"
#include "exit_status.hpp"
#include "local_engine.hpp"
#include "messages.hpp"
#include "on_demand_interaction.hpp"
#include "posix_file_system.hpp"
#include "program_folder.hpp"
#include "qt_module.hpp"
#include "standard_output.hpp"
#include "terminal_interaction.hpp"
#include "text_commands.hpp"
#include "unattended_interaction.hpp"

namespace orbisk {
namespace {

// Message boxes come from the Qt module; if it cannot be loaded, standard error serves.
std::unique_ptr<Messenger> MessageBoxesOrStandardError() {
  std::string error;
  if (const OrbiskQtModule* module = LoadQtModule(error)) {
    return std::unique_ptr<Messenger>(module->messageBoxes());
  }
  std::cerr << texts::QtModuleUnavailable(error);
  return std::make_unique<UnattendedInteraction>(std::cerr);
}

std::unique_ptr<Messenger> ChooseMessenger() {
  if (::isatty(STDIN_FILENO)) return std::make_unique<TerminalInteraction>(std::cin, std::cerr);
  // Whether there is a display is only worth finding out once there is something to show.
  return std::make_unique<OnDemandInteraction>([] {
    if (PrepareDisplay()) return MessageBoxesOrStandardError();
    return std::unique_ptr<Messenger>(std::make_unique<UnattendedInteraction>(std::cerr));
  });
}

// Says a conversion succeeded, for --notify: through the Qt module on a display, otherwise
// on standard output.
class SuccessNotice {
 public:
  explicit SuccessNotice(std::ostream& out) : out_(out) {}

  void operator()(const std::string& source, const std::string& target) {
    if (!tried_) {
      tried_ = true;
      std::string error;
      module_ = PrepareDisplay() ? LoadQtModule(error) : nullptr;
    }
    if (module_ != nullptr) {
      module_->notify(source.c_str(), target.c_str());
    } else {
      out_ << messages::Completed(source, target) << std::endl;
    }
  }

 private:
  std::ostream& out_;
  bool tried_ = false;
  const OrbiskQtModule* module_ = nullptr;
};

// Loads the Qt module for a window, or says on standard error why there can be none:
// `noDisplay` when nothing can show it.
const OrbiskQtModule* LoadForWindow(const std::string& noDisplay) {
  if (!PrepareDisplay()) {
    std::cerr << noDisplay << texts::TryHelp();
    return nullptr;
  }
  std::string error;
  const OrbiskQtModule* module = LoadQtModule(error);
  if (module == nullptr) std::cerr << texts::QtModuleUnavailable(error);
  return module;
}

int OpenViewers(const std::vector<std::string>& names, Engine& engine) {
  const OrbiskQtModule* module = LoadForWindow(texts::NoDisplayForViewer());
  if (module == nullptr) return kExitNotConverted;
  std::vector<const char*> paths;
  for (const std::string& name : names) paths.push_back(name.c_str());
  return module->runViewer(&engine, paths.data(), static_cast<int>(paths.size()));
}

int OpenWindow(Engine& engine) {
  const OrbiskQtModule* module = LoadForWindow(texts::NoDisplayForWindow());
  if (module == nullptr) return kExitNotConverted;
  return module->runWindow(&engine);
}

int Run(const CommandLine& line, const char* argv0, std::ostream& out) {
  switch (line.action) {
    case CommandLine::Action::ShowHelp:
      out << texts::Help();
      return kExitConverted;
    case CommandLine::Action::ShowVersion:
      out << texts::Version();
      return kExitConverted;
    case CommandLine::Action::UsageError:
      std::cerr << line.usageError << "\n" << texts::TryHelp();
      return kExitUsage;
    default:
      break;
  }
  // The one file-system service and the one engine of the run: every window of the Qt
  // module works through them too.
  PosixFileSystem files;
  SystemClock clock;
  LocalEngine engine(files, clock);
  switch (line.action) {
    case CommandLine::Action::OpenWindow:
      return OpenWindow(engine);
    case CommandLine::Action::View:
      return OpenViewers(line.names, engine);
    default:
      break;
  }
  std::unique_ptr<Messenger> chosen = ChooseMessenger();
  AssumeYes yes(*chosen);
  Conversation user(line.assumeYes ? static_cast<Messenger&>(yes) : *chosen);
  SuccessNotice notice(out);
  const Converted converted = line.notify ? Converted(std::ref(notice)) : Converted();
  switch (line.action) {
    case CommandLine::Action::Convert:
      return ConvertFiles(line.names, ProgramFolder(argv0), line.model, files, engine, user,
                          converted);
    case CommandLine::Action::Show:
      return ShowTexts(line.names, engine, user, out);
    case CommandLine::Action::ToText:
      return ExportTexts(line.names, engine, user, converted);
    case CommandLine::Action::FromText:
      return ImportTexts(line.names, line.model, line.variableName, engine, user, converted);
    case CommandLine::Action::Check:
      return CheckFiles(line.names, engine, user, out);
    default:
      return kExitUsage;
  }
}

}  // namespace

int Main(int argc, char** argv) {
  ReserveStandardDescriptors();
  const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  StandardOutput out;
  const int status = Run(line, argv[0], out.stream());
  // Output that was lost makes the run a failure, said once.
  if (const int error = out.Finish()) {
    std::cerr << texts::CannotWriteOutput(error);
    return status == kExitConverted ? kExitNotConverted : status;
  }
  return status;
}

}  // namespace orbisk
