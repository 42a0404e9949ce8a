// How orbisk-link shows a transfer going on: one line rewritten on a terminal, or, for the
// editor that runs it, a line of figures on standard error for each step.
#pragma once

#include <ostream>

#include "link_command.hpp"

namespace orbisk::link {

// "Envoi de main\prog : 45 %", rewritten in place, then cleared.
class TerminalProgress final : public ProgressView {
 public:
  explicit TerminalProgress(std::ostream& out) : out_(out) {}
  void Begin(const std::string& what, bool sending) override;
  void Step(TransferProgress progress) override;
  void End() override;

 private:
  std::ostream& out_;
  std::string label_;
  int shown_ = -1;
};

// "orbisk-progress main\prog 45" a step, for the window that runs orbisk-link (see
// window_protocol.hpp): the percent only when it changes.
class ProgressLines final : public ProgressView {
 public:
  explicit ProgressLines(std::ostream& out) : out_(out) {}
  void Begin(const std::string& what, bool sending) override;
  void Step(TransferProgress progress) override;
  void End() override {}

 private:
  std::ostream& out_;
  std::string what_;
  int shown_ = -1;
};

// The percent a step stands for, from 0 to 100.
int Percent(TransferProgress progress);

}  // namespace orbisk::link
