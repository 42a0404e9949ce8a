// Start-up: reads the command line and either converts the named files or opens the window.
#include "start_up.hpp"

#include <unistd.h>

#include <iostream>
#include <memory>
#include <optional>

#include "assume_yes.hpp"
#include "cli_texts.hpp"
#include "command_line.hpp"
#include "convert_files.hpp"
#include "display.hpp"
#include "exit_status.hpp"
#include "group_commands.hpp"
#include "link_program.hpp"
#include "local_engine.hpp"
#include "messages.hpp"
#include "on_demand_interaction.hpp"
#include "posix_file_system.hpp"
#include "program_folder.hpp"
#include "qt_module.hpp"
#include "run_messengers.hpp"
#include "standard_output.hpp"
#include "terminal_interaction.hpp"
#include "text_commands.hpp"
#include "thumbnail_command.hpp"
#include "unattended_interaction.hpp"
#include "variable_types.hpp"

namespace orbisk {
namespace {

TextFormat Format(const CommandLine& line) {
  return line.linkExport ? TextFormat::LinkExport : TextFormat::Utf8;
}

ImportOptions ImportOptionsOf(const CommandLine& line) {
  ImportOptions options;
  options.encoding = line.encoding;
  options.type = line.type;
  return options;
}

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

int OpenViewers(const std::vector<std::string>& names, LocalEngine& engine) {
  const OrbiskQtModule* module = LoadForWindow(texts::NoDisplayForViewer());
  if (module == nullptr) return kExitNotConverted;
  std::vector<const char*> paths;
  for (const std::string& name : names) paths.push_back(name.c_str());
  return module->runEditor(&engine, paths.data(), static_cast<int>(paths.size()), -1, types::kText);
}

int OpenNewText(Model model, unsigned char type, LocalEngine& engine) {
  const OrbiskQtModule* module = LoadForWindow(texts::NoDisplayForViewer());
  if (module == nullptr) return kExitNotConverted;
  return module->runEditor(&engine, nullptr, 0, static_cast<int>(model), type);
}

int OpenWindow(LocalEngine& engine) {
  const OrbiskQtModule* module = LoadForWindow(texts::NoDisplayForWindow());
  if (module == nullptr) return kExitNotConverted;
  return module->runWindow(&engine);
}

// What --notify says the run made.
messages::Made MadeBy(CommandLine::Action action) {
  switch (action) {
    case CommandLine::Action::ToText: return messages::Made::TextExport;
    case CommandLine::Action::Extract: return messages::Made::Extraction;
    case CommandLine::Action::MakeGroup: return messages::Made::Group;
    default: return messages::Made::Conversion;
  }
}

int Run(const CommandLine& line, const char* argv0, std::ostream& out) {
  switch (line.action) {
    case CommandLine::Action::ShowHelp: out << texts::Help(); return kExitConverted;
    case CommandLine::Action::ShowVersion: out << texts::Version(); return kExitConverted;
    case CommandLine::Action::ShowCharacters: out << texts::CharacterTable(); return kExitConverted;
    case CommandLine::Action::UsageError:
      std::cerr << line.usageError << "\n" << texts::TryHelp();
      return kExitUsage;
    default: break;
  }
  // The one file-system service and the one engine of the run: every window of the Qt
  // module works through them too.
  PosixFileSystem files;
  SystemClock clock;
  LocalEngine engine(files, clock);
  switch (line.action) {
    case CommandLine::Action::OpenWindow: return OpenWindow(engine);
    case CommandLine::Action::View: return OpenViewers(line.names, engine);
    case CommandLine::Action::New:
      return OpenNewText(line.model.value_or(Model::Voyager200), line.type.value_or(types::kText),
                         engine);
    default: break;
  }
  // Message boxes only for a conversion (the one mode a desktop starts without --notify) or
  // what --notify asked: every other mode, started from a terminal or a script, answers there.
  std::unique_ptr<Messenger> chosen =
      ChooseMessenger(line.notify || line.action == CommandLine::Action::Convert);
  AssumeYes yes(*chosen);
  // A thumbnailer's picture replaces whatever was at its name: the file manager asked.
  const bool replace = line.assumeYes || line.action == CommandLine::Action::Thumbnail;
  Conversation user(replace ? static_cast<Messenger&>(yes) : *chosen);
  SuccessNotice notice(out, MadeBy(line.action));
  if (line.notify) notice.Start(user);
  CommandRun run{engine, user, out, line.notify ? Converted(std::ref(notice)) : Converted(), {}};
  int status = kExitUsage;
  switch (line.action) {
    case CommandLine::Action::Convert:
      status = ConvertFiles(line.names, ProgramFolder(argv0), line.model, files, run);
      break;
    case CommandLine::Action::Show: status = ShowTexts(line.names, Format(line), run); break;
    case CommandLine::Action::ToText: status = ExportTexts(line.names, Format(line), run); break;
    case CommandLine::Action::FromText:
      status = ImportTexts(line.names, line.model, line.variableName, ImportOptionsOf(line), run);
      break;
    case CommandLine::Action::Check: status = CheckFiles(line.names, run); break;
    case CommandLine::Action::Repair:
      status = RepairFiles(line.names, {line.keepBackup, line.fixSignature}, run);
      break;
    case CommandLine::Action::List: status = ListGroups(line.names, run); break;
    case CommandLine::Action::Extract:
      status = ExtractGroups(line.names, line.model, line.into, run);
      break;
    case CommandLine::Action::MakeGroup:
      status = MakeGroup(line.groupTarget, line.names, run);
      break;
    case CommandLine::Action::Thumbnail:
      status = DrawThumbnail(line.names[0], line.names[1], line.thumbnailSize, run);
      break;
    default: break;
  }
  if (line.notify) notice.Finish(user);
  return status;
}

}  // namespace

int Main(int argc, char** argv) {
  ReserveStandardDescriptors();
  const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (line.action == CommandLine::Action::Send || line.action == CommandLine::Action::Receive ||
      line.action == CommandLine::Action::ListCalculator) {
    return RunLinkProgram(argv);
  }
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
