// How orbisk-link speaks to the editor that runs it, instead of to a person: one line on
// standard error for each thing to show, a line on standard input for each answer. Every
// line is a keyword, a space, then its text, whose line breaks become 0x1E:
//   orbisk-progress VARIABLE PERCENT   a transfer goes on
//   orbisk-message TEXT                something to tell
//   orbisk-failure TEXT                what went wrong
//   orbisk-question TEXT               a Yes/No question; the answer comes as "o" or "n"
//   orbisk-made SOURCE<1E>TARGET       a file sent as a variable, or a variable received
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "conversation.hpp"

namespace orbisk::link {

// Set (to 1) in orbisk-link's environment by the window that runs it.
inline constexpr char kWindowProtocolVariable[] = "ORBISK_LINK_PROTOCOL";
inline constexpr char kRecordSeparator = '\x1E';

// One protocol line: "KEYWORD TEXT\n", the text's line breaks made 0x1E.
std::string ProtocolLine(const std::string& keyword, const std::string& text);

class WindowMessenger final : public Messenger {
 public:
  WindowMessenger(std::istream& answers, std::ostream& out) : answers_(answers), out_(out) {}
  void ShowMessage(const std::string& text) override;
  void ReportFailure(const std::string& text) override;
  // No answer (the window went away) is No.
  bool AskYesNo(const std::string& question) override;
  messages::Audience Readers() override { return messages::Audience::Window; }

 private:
  std::istream& answers_;
  std::ostream& out_;
};

}  // namespace orbisk::link
