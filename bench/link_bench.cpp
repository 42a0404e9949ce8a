// Our cost around the link libraries: `orbisk --send` of a 64 KB program (orbisk-link's own
// command, run in this process) against tilibs' own calls for the same transfer (the file
// read by libtifiles, then sent), both to the fake calculator on the null cable, side by
// side in the same rounds. Before sending, orbisk lists the calculator to ask before
// replacing a variable (unless --yes): tilibs is timed both with that listing, the same
// exchanges on the cable as orbisk's, and without. Prints the medians and their ratios.
// Usage: link_bench [ROUNDS]
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "command_line.hpp"
#include "conversation.hpp"
#include "fake_calculator.hpp"
#include "files.hpp"
#include "link_command.hpp"
#include "local_engine.hpp"
#include "posix_file_system.hpp"
#include "temp_folder.hpp"
#include "variable_file.hpp"
#include "wired.hpp"

namespace {

// Says nothing and answers Yes: nothing is asked in these rounds anyway.
class Quiet final : public orbisk::Messenger {
 public:
  void ShowMessage(const std::string&) override {}
  void ReportFailure(const std::string& text) override {
    std::fprintf(stderr, "link_bench: %s\n", text.c_str());
    std::exit(1);
  }
  bool AskYesNo(const std::string&) override { return true; }
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// tilibs alone: the file read by libtifiles, a session opened, the calculator found ready,
// its folders and variables listed if `listing`, the content sent, the session closed.
void SendWithTilibs(const std::string& path, orbisk::testing::FakeCalculator& calculator,
                    bool listing) {
  FileContent* content = tifiles_content_create_regular(CALC_TI89);
  if (tifiles_file_read_regular(path.c_str(), content) != 0) std::exit(1);
  const orbisk::link::LinkOptions options = orbisk::testing::WiredTo(calculator);
  CableHandle* cable = ticables_handle_new(options.cable, options.port);
  ticables_options_set_timeout(cable, options.timeout);
  ticables_cable_set_event_hook(cable, options.hook);
  ticables_cable_set_event_user_pointer(cable, options.hookData);
  CalcHandle* calc = ticalcs_handle_new(CALC_TI89);
  ticalcs_cable_attach(calc, cable);
  if (ticalcs_calc_isready(calc) != 0) std::exit(1);
  if (listing) {
    GNode* vars = nullptr;
    GNode* apps = nullptr;
    if (ticalcs_calc_get_dirlist(calc, &vars, &apps) != 0) std::exit(1);
    ticalcs_dirlist_destroy(&vars);
    ticalcs_dirlist_destroy(&apps);
  }
  if (ticalcs_calc_send_var(calc, MODE_NORMAL, content) != 0) {
    std::fprintf(stderr, "link_bench: tilibs could not send\n");
    std::exit(1);
  }
  ticalcs_cable_detach(calc);
  ticalcs_handle_del(calc);
  ticables_handle_del(cable);
  tifiles_content_delete_regular(content);
}

void SendWithOrbisk(const std::vector<std::string>& arguments,
                    orbisk::testing::FakeCalculator& calculator) {
  Quiet quiet;
  orbisk::Conversation user(quiet);
  orbisk::PosixFileSystem files;
  orbisk::SystemClock clock;
  orbisk::LocalEngine engine(files, clock);
  std::ostringstream out;
  orbisk::CommandRun run{engine, user, out, {}, {}};
  orbisk::link::NoProgress progress;
  if (orbisk::link::RunLinkCommand(orbisk::ParseCommandLine(arguments),
                                   orbisk::testing::WiredTo(calculator), run, progress) != 0) {
    std::exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 31;
  orbisk::link::InitialiseLinkLibraries();
  orbisk::testing::TempFolder folder;
  // A program in text form of 64 KB, as the editor saves one.
  const std::string codes = orbisk::testing::SampleVariableData(orbisk::types::kProgram, 64000);
  orbisk::VariableFile file;
  file.signature = orbisk::SignatureFor(orbisk::Model::Ti89);
  file.folder = "main";
  file.entries.push_back({"main", "grand", orbisk::types::kProgram, 0, codes, 0, 0});
  const std::string path = folder / "grand.89p";
  orbisk::testing::WriteFile(path, orbisk::WriteVariableFile(file));

  // The allocator keeps what it was given: otherwise whichever run comes after one that
  // freed its buffers pays the kernel to map them again, and the order decides the figures.
  mallopt(M_MMAP_THRESHOLD, 1 << 24);
  mallopt(M_TRIM_THRESHOLD, 1 << 26);
  std::vector<double> tilibs, tilibsListing, orbisk, orbiskYes;
  const auto runTilibs = [&] {
    for (const bool listing : {false, true}) {
      orbisk::testing::FakeCalculator calculator(orbisk::testing::FakeModel::Ti89);
      const auto start = std::chrono::steady_clock::now();
      SendWithTilibs(path, calculator, listing);
      (listing ? tilibsListing : tilibs).push_back(Seconds(start));
    }
  };
  const auto runOrbisk = [&](bool yes) {
    orbisk::testing::FakeCalculator calculator(orbisk::testing::FakeModel::Ti89);
    std::vector<std::string> arguments{"--send", "--model", "89", path};
    if (yes) arguments.push_back("--yes");
    const auto start = std::chrono::steady_clock::now();
    SendWithOrbisk(arguments, calculator);
    (yes ? orbiskYes : orbisk).push_back(Seconds(start));
    if (calculator.variables.size() != 1 || calculator.variables[0].data != codes) {
      std::fprintf(stderr, "link_bench: the program did not arrive whole\n");
      std::exit(1);
    }
  };
  for (int round = 0; round < rounds; ++round) {
    // Each takes its turn first.
    switch (round % 3) {
      case 0:
        runTilibs();
        runOrbisk(false);
        runOrbisk(true);
        break;
      case 1:
        runOrbisk(false);
        runOrbisk(true);
        runTilibs();
        break;
      default:
        runOrbisk(true);
        runTilibs();
        runOrbisk(false);
        break;
    }
  }
  const double base = Median(tilibs);
  const double baseListing = Median(tilibsListing);
  std::printf("--send of a 64 KB program to the fake, %d rounds side by side (median):\n", rounds);
  std::printf("  tilibs: ready, send                %8.3f ms\n", base * 1e3);
  std::printf("  tilibs: ready, listing, send       %8.3f ms\n", baseListing * 1e3);
  std::printf(
      "  orbisk --send (listing)            %8.3f ms  %.2fx the same calls, %.2fx without "
      "listing\n",
      Median(orbisk) * 1e3, Median(orbisk) / baseListing, Median(orbisk) / base);
  std::printf("  orbisk --send --yes (no listing)   %8.3f ms  %.2fx\n", Median(orbiskYes) * 1e3,
              Median(orbiskYes) / base);
  return 0;
}
