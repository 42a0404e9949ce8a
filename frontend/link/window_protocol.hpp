// How orbisk-link speaks to the editor that runs it, instead of to a person (the words of
// that protocol are in link_protocol.hpp).
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "conversation.hpp"
#include "link_protocol.hpp"

namespace orbisk::link {

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
