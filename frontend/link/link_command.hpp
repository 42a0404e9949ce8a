// The command line's link modes, run by orbisk-link: --send, --receive and --calc. Each
// returns the exit status.
#pragma once

#include <string>

#include "command_line.hpp"
#include "command_run.hpp"
#include "link_session.hpp"

namespace orbisk::link {

// What shows a transfer as it goes: a line on a terminal, lines for a window, or nothing.
class ProgressView {
 public:
  virtual ~ProgressView() = default;
  // A transfer of `what` ("main\prog") begins, `sending` or receiving.
  virtual void Begin(const std::string& what, bool sending) = 0;
  virtual void Step(TransferProgress progress) = 0;
  virtual void End() = 0;
};

class NoProgress final : public ProgressView {
 public:
  void Begin(const std::string&, bool) override {}
  void Step(TransferProgress) override {}
  void End() override {}
};

// Completes `options` from the command line: the cable and port it names, else a SilverLink
// found on USB; the model it names, else the one the calculator gives. A session given a
// hook (a test's wire) keeps its cable, and its model unless one is named. Returns the text
// to tell the user, or empty; `usage` says whether the command line itself was wrong.
std::string ChooseLink(const CommandLine& line, LinkOptions& options, bool& usage);

// Runs `line`'s mode over a session made from `base` as ChooseLink completes it.
int RunLinkCommand(const CommandLine& line, const LinkOptions& base, CommandRun& run,
                   ProgressView& progress);

}  // namespace orbisk::link
