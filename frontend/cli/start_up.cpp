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
#include "messages.hpp"
#include "on_demand_interaction.hpp"
#include "posix_file_system.hpp"
#include "program_folder.hpp"
#include "qt_module.hpp"
#include "terminal_interaction.hpp"
#include "text_commands.hpp"
#include "unattended_interaction.hpp"

namespace orbisk {
namespace {

// Message boxes come from the Qt module; if it cannot be loaded, standard error serves.
std::unique_ptr<Interaction> MessageBoxesOrStandardError() {
  QtModuleEntries module;
  std::string error;
  if (LoadQtModule(module, error)) return std::unique_ptr<Interaction>(module.messageBoxes());
  std::cerr << texts::QtModuleUnavailable(error);
  return std::make_unique<UnattendedInteraction>(std::cerr);
}

std::unique_ptr<Interaction> ChooseInteraction() {
  if (::isatty(STDIN_FILENO)) return std::make_unique<TerminalInteraction>(std::cin, std::cerr);
  // Whether there is a display is only worth finding out once there is something to show.
  return std::make_unique<OnDemandInteraction>([] {
    if (PrepareDisplay()) return MessageBoxesOrStandardError();
    return std::unique_ptr<Interaction>(std::make_unique<UnattendedInteraction>(std::cerr));
  });
}

// Says a conversion succeeded, for --notify: through the Qt module on a display, otherwise
// on standard output.
class SuccessNotice {
 public:
  void operator()(const std::string& source, const std::string& target) {
    if (!tried_) {
      tried_ = true;
      std::string error;
      shown_ = PrepareDisplay() && LoadQtModule(module_, error);
    }
    if (shown_) {
      module_.notify(source.c_str(), target.c_str());
    } else {
      std::cout << messages::Completed(source, target) << std::endl;
    }
  }

 private:
  bool tried_ = false;
  bool shown_ = false;
  QtModuleEntries module_;
};

// Loads the Qt module for a window, or says on standard error why there can be none:
// `noDisplay` when nothing can show it.
bool LoadForWindow(const std::string& noDisplay, QtModuleEntries& module) {
  if (!PrepareDisplay()) {
    std::cerr << noDisplay << texts::TryHelp();
    return false;
  }
  std::string error;
  if (!LoadQtModule(module, error)) {
    std::cerr << texts::QtModuleUnavailable(error);
    return false;
  }
  return true;
}

int OpenViewers(const std::vector<std::string>& names, FileSystem& files) {
  QtModuleEntries module;
  if (!LoadForWindow(texts::NoDisplayForViewer(), module)) return kExitNotConverted;
  std::vector<const char*> paths;
  for (const std::string& name : names) paths.push_back(name.c_str());
  return module.runViewer(&files, paths.data(), static_cast<int>(paths.size()));
}

int OpenWindow(FileSystem& files) {
  QtModuleEntries module;
  if (!LoadForWindow(texts::NoDisplayForWindow(), module)) return kExitNotConverted;
  return module.runWindow(&files);
}

}  // namespace

int Main(int argc, char** argv) {
  // The one file-system service of the run, shared by every conversion.
  PosixFileSystem files;
  const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (line.action) {
    case CommandLine::Action::ShowHelp:
      std::cout << texts::Help();
      return kExitConverted;
    case CommandLine::Action::ShowVersion:
      std::cout << texts::Version();
      return kExitConverted;
    case CommandLine::Action::UsageError:
      std::cerr << line.usageError << "\n" << texts::TryHelp();
      return kExitUsage;
    case CommandLine::Action::OpenWindow:
      return OpenWindow(files);
    case CommandLine::Action::View:
      return OpenViewers(line.names, files);
    default:
      break;
  }
  std::unique_ptr<Interaction> chosen = ChooseInteraction();
  AssumeYes yes(*chosen);
  Interaction& user = line.assumeYes ? static_cast<Interaction&>(yes) : *chosen;
  SystemClock clock;
  SuccessNotice notice;
  const Converted converted = line.notify ? Converted(std::ref(notice)) : Converted();
  if (line.action == CommandLine::Action::Convert) {
    Converter converter(files, user, clock);
    return ConvertFiles(line.names, ProgramFolder(argv[0]), line.model, files, converter,
                        converted);
  }
  TextTransfer texts(files, user, clock);
  switch (line.action) {
    case CommandLine::Action::Show:
      return ShowTexts(line.names, texts, std::cout);
    case CommandLine::Action::ToText:
      return ExportTexts(line.names, texts, converted);
    case CommandLine::Action::FromText:
      return ImportTexts(line.names, line.model, line.variableName, texts, user, converted);
    case CommandLine::Action::Check:
      return CheckFiles(line.names, texts, std::cout);
    default:
      return kExitUsage;
  }
}

}  // namespace orbisk
