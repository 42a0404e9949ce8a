// --send, --receive and --calc over one link session.
#include "link_command.hpp"

#include <strings.h>

#include <algorithm>

#include "exit_status.hpp"
#include "link_texts.hpp"
#include "messages.hpp"
#include "target_names.hpp"
#include "variable_types.hpp"

namespace orbisk::link {
namespace {

struct NamedModel {
  const char* name;  // as --model takes it
  CalcModel calculator;
  Model files;
};

constexpr NamedModel kCalculators[] = {{"89", CALC_TI89, Model::Ti89},
                                       {"89t", CALC_TI89T, Model::Ti89},
                                       {"92p", CALC_TI92P, Model::Ti92Plus},
                                       {"v200", CALC_V200, Model::Voyager200}};

const NamedModel* Known(CalcModel calculator) {
  for (const NamedModel& known : kCalculators) {
    if (known.calculator == calculator) return &known;
  }
  return nullptr;
}

// A cable by the name users give it, or by the library's own ("SilverLink", "TiEmu").
bool CableNamed(const std::string& name, CableModel& cable) {
  struct Alias {
    const char* name;
    CableModel cable;
  };
  static constexpr Alias kAliases[] = {
      {"silverlink", CABLE_SLV}, {"grey", CABLE_GRY}, {"gray", CABLE_GRY},     {"black", CABLE_BLK},
      {"tiemu", CABLE_TIE},      {"vti", CABLE_VTI},  {"parallel", CABLE_PAR}, {"null", CABLE_NUL}};
  for (const Alias& alias : kAliases) {
    if (name == alias.name) {
      cable = alias.cable;
      return true;
    }
  }
  for (int model = CABLE_NUL; model <= CABLE_TCPS; ++model) {
    const char* known = ticables_model_to_string(static_cast<CableModel>(model));
    if (known != nullptr && ::strcasecmp(known, name.c_str()) == 0) {
      cable = static_cast<CableModel>(model);
      return true;
    }
  }
  return false;
}

// The SilverLink on USB, if one is there; a Titanium on its own port is told apart.
std::string FindUsbCable(LinkOptions& options) {
  CableDeviceInfo* devices = nullptr;
  int count = 0;
  bool silverLink = false;
  bool titanium = false;
  if (ticables_get_usb_device_info(&devices, &count) == 0 && devices != nullptr) {
    for (int i = 0; i < count; ++i) {
      silverLink = silverLink || devices[i].family == CABLE_FAMILY_DBUS;
      titanium = titanium || devices[i].family == CABLE_FAMILY_USB_TI9X;
    }
    ticables_free_usb_device_info(devices);
  }
  if (silverLink) {
    options.cable = CABLE_SLV;
    return "";
  }
  return titanium ? texts::TitaniumOwnUsb() : texts::NoUsbCable();
}

std::string Shown(const std::string& folder, const std::string& name) {
  return messages::VariablePath(folder, name);
}

// One session, opened and found ready, or the words of why not.
class OpenSession {
 public:
  OpenSession(const LinkOptions& options, CommandRun& run, ProgressView& progress)
      : session_(options) {
    session_.onProgress = [&progress](TransferProgress step) { progress.Step(step); };
    int e = session_.Open();
    if (e == 0) e = session_.Ready();
    if (e != 0) run.user.messenger().ReportFailure(texts::NoAnswer(texts::LinkError(e)));
    ready_ = e == 0;
  }
  bool ready() const { return ready_; }
  LinkSession& operator*() { return session_; }
  LinkSession* operator->() { return &session_; }

 private:
  LinkSession session_;
  bool ready_ = false;
};

// The calculator's variables into `variables`; false, having said why, when it did not
// give them.
bool ListOrSay(LinkSession& session, std::vector<CalcVariable>& variables, Messenger& messenger) {
  const int e = session.List(variables);
  if (e != 0) messenger.ReportFailure(texts::NoAnswer(texts::LinkError(e)));
  return e == 0;
}

int ListCalculator(LinkSession& session, CommandRun& run) {
  std::vector<CalcVariable> variables;
  if (!ListOrSay(session, variables, run.user.messenger())) return kExitNotConverted;
  std::string lines;
  for (const CalcVariable& variable : variables) {
    VariableEntry entry;
    entry.folder = variable.folder;
    entry.name = variable.name;
    entry.type = variable.type;
    entry.attribute = variable.attribute;
    // The listing gives a size, not the data: the line only shows its length.
    entry.data.resize(variable.size);
    lines += messages::ListLine(entry);
  }
  run.out << lines << std::flush;
  return kExitConverted;
}

bool Present(const std::vector<CalcVariable>& variables, const VariableEntry& entry) {
  return std::any_of(variables.begin(), variables.end(), [&entry](const CalcVariable& v) {
    return v.folder == entry.folder && v.name == entry.name;
  });
}

int SendFiles(const CommandLine& line, LinkSession& session, const NamedModel& to, CommandRun& run,
              ProgressView& progress) {
  Messenger& messenger = run.user.messenger();
  // What the calculator holds, to ask before replacing any of it (with --yes, nothing is
  // asked, and the listing is spared).
  std::vector<CalcVariable> present;
  if (!line.assumeYes && !ListOrSay(session, present, messenger)) return kExitNotConverted;
  int status = kExitConverted;
  for (const std::string& file : line.names) {
    Result<OpenedGroup> group = run.engine.ReadGroup(file);
    if (!group) {
      run.user.Report(group.error());
      status = kExitNotConverted;
      continue;
    }
    std::vector<VariableEntry>& entries = group->file.entries;
    if (entries.size() == 1 && entries[0].type == types::kBackup) {
      messenger.ReportFailure(texts::BackupNotSent(file));
      status = kExitNotConverted;
      continue;
    }
    if (group->model != to.files) {
      messenger.ShowMessage(
          texts::ConvertedOnTheWay(file, ModelName(group->model), texts::CalculatorName(to.name)));
    }
    for (VariableEntry& entry : entries) {
      const std::string variable = Shown(entry.folder, entry.name);
      if (group->model != to.files &&
          MovementOf({FileContent::Kind::Variable, entry.type}) != Movement::Moves) {
        messenger.ReportFailure(
            texts::CannotMove(file, variable, entry.type, texts::CalculatorName(to.name)));
        status = kExitNotConverted;
        continue;
      }
      if (!line.assumeYes && Present(present, entry) &&
          !messenger.AskYesNo(texts::ReplaceOnCalculator(variable))) {
        status = kExitNotConverted;
        continue;
      }
      progress.Begin(variable, true);
      const int e = session.Send(
          {entry.folder, entry.name, entry.type, entry.attribute, std::move(entry.data)});
      progress.End();
      if (e != 0) {
        messenger.ReportFailure(texts::NotSent(file, texts::LinkError(e)));
        return kExitNotConverted;  // the link is in no state to go on
      }
      run.Done(file, variable);
    }
  }
  return status;
}

// The variables `wanted` names: FOLDER\NAME, or a NAME only one folder has.
bool Pick(const std::vector<CalcVariable>& all, const std::vector<std::string>& wanted,
          std::vector<CalcVariable>& picked, Messenger& messenger) {
  bool found = true;
  for (const std::string& name : wanted) {
    std::vector<const CalcVariable*> matches;
    for (const CalcVariable& variable : all) {
      const std::string shown = Shown(variable.folder, variable.name);
      const bool qualified = name.find('\\') != std::string::npos;
      if (qualified ? shown == name : shown.substr(shown.find('\\') + 1) == name) {
        matches.push_back(&variable);
      }
    }
    if (matches.size() != 1) {
      messenger.ReportFailure(matches.empty() ? texts::NoSuchVariable(name)
                                              : texts::SeveralVariables(name));
      found = false;
      continue;
    }
    picked.push_back(*matches[0]);
  }
  return found;
}

int ReceiveVariables(const CommandLine& line, LinkSession& session, const NamedModel& from,
                     CommandRun& run, ProgressView& progress) {
  Messenger& messenger = run.user.messenger();
  std::vector<CalcVariable> all;
  if (!ListOrSay(session, all, messenger)) return kExitNotConverted;
  std::vector<CalcVariable> picked;
  int status = kExitConverted;
  if (line.all) {
    picked = all;
    if (picked.empty()) {
      messenger.ShowMessage(texts::NothingOnCalculator());
      return kExitNotConverted;
    }
  } else if (!Pick(all, line.names, picked, messenger)) {
    status = kExitNotConverted;
  }
  // Each variable comes whole into memory, and only then goes to its file through the safe
  // writer: a transfer that breaks leaves no file behind.
  OpenedGroup received;
  received.model = from.files;
  received.path = "calculatrice";
  received.info.permissions = 0666;
  // Named together, so that two folders' variables of one name get two files.
  for (const CalcVariable& wanted : picked) {
    VariableEntry entry;
    entry.folder = wanted.folder;
    entry.name = wanted.name;
    entry.type = wanted.type;
    received.file.entries.push_back(entry);
  }
  const std::vector<std::string> targets =
      ExtractedNames(received.file, from.files, line.into.value_or(std::string()));
  for (std::size_t i = 0; i < picked.size(); ++i) {
    const CalcVariable& wanted = picked[i];
    const std::string variable = Shown(wanted.folder, wanted.name);
    CalcData data;
    progress.Begin(variable, false);
    const int e = session.Receive(wanted, data);
    progress.End();
    if (e != 0) {
      messenger.ReportFailure(texts::NotReceived(variable, texts::LinkError(e)));
      return kExitNotConverted;
    }
    VariableEntry entry;
    entry.folder = wanted.folder;
    entry.name = wanted.name;
    // The type the listing gave: a system other than the maker's (PedroM) heads what it
    // sends with a type of its own, and the data are the same.
    entry.type = wanted.type != 0 ? wanted.type : data.type;
    entry.attribute = data.attribute;
    entry.data = std::move(data.data);
    received.file.entries[i] = std::move(entry);
    const std::string& target = targets[i];
    if (!run.user.Report(
            run.engine.ExtractVariable(received, i, from.files, target, run.user, &run.written))) {
      status = kExitNotConverted;
    } else {
      run.Done(variable, target);
    }
  }
  return status;
}

}  // namespace

std::string ChooseLink(const CommandLine& line, LinkOptions& options, bool& usage) {
  usage = false;
  InitialiseLinkLibraries();
  if (!line.cable.empty()) {
    if (!CableNamed(line.cable, options.cable)) {
      usage = true;
      return texts::UnknownCable(line.cable);
    }
  } else if (options.hook == nullptr) {
    if (std::string error = FindUsbCable(options); !error.empty()) return error;
  }
  if (line.port != 0) {
    options.port = static_cast<CablePort>(line.port);
  } else if (options.cable == CABLE_TIE) {
    options.port = PORT_2;  // the linking program's end; the emulator holds port 1
  }
  for (const NamedModel& known : kCalculators) {
    if (line.calculatorModel == known.name) {
      options.model = known.calculator;
      return "";
    }
  }
  if (!line.calculatorModel.empty()) {  // from the environment, which nothing checked
    usage = true;
    return texts::UnknownCalculator(line.calculatorModel);
  }
  if (options.hook != nullptr) return "";
  // Asked of the calculator itself: its machine id, then its version for the kin models.
  CalcModel found = CALC_NONE;
  if (ticalcs_probe(options.cable, options.port, &found, 1) != 0 || Known(found) == nullptr) {
    return texts::ModelNotFound();
  }
  options.model = found;
  return "";
}

int RunLinkCommand(const CommandLine& line, const LinkOptions& base, CommandRun& run,
                   ProgressView& progress) {
  LinkOptions options = base;
  bool usage = false;
  if (std::string error = ChooseLink(line, options, usage); !error.empty()) {
    run.user.messenger().ReportFailure(error);
    return usage ? kExitUsage : kExitNotConverted;
  }
  const NamedModel* model = Known(options.model);
  if (model == nullptr) {
    run.user.messenger().ReportFailure(texts::ModelNotFound());
    return kExitNotConverted;
  }
  OpenSession session(options, run, progress);
  if (!session.ready()) return kExitNotConverted;
  switch (line.action) {
    case CommandLine::Action::Send: return SendFiles(line, *session, *model, run, progress);
    case CommandLine::Action::Receive:
      return ReceiveVariables(line, *session, *model, run, progress);
    case CommandLine::Action::ListCalculator: return ListCalculator(*session, run);
    default: return kExitUsage;
  }
}

}  // namespace orbisk::link
