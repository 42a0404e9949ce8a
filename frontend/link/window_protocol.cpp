// orbisk-link's lines for the window that runs it.
#include "window_protocol.hpp"

namespace orbisk::link {

std::string ProtocolLine(const std::string& keyword, const std::string& text) {
  std::string line = keyword + " ";
  for (const char c : text) line += c == '\n' ? link_protocol::kRecordSeparator : c;
  return line + "\n";
}

void WindowMessenger::ShowMessage(const std::string& text) {
  out_ << ProtocolLine(link_protocol::kMessage, text) << std::flush;
}

void WindowMessenger::ReportFailure(const std::string& text) {
  out_ << ProtocolLine(link_protocol::kFailure, text) << std::flush;
}

bool WindowMessenger::AskYesNo(const std::string& question) {
  out_ << ProtocolLine(link_protocol::kQuestion, question) << std::flush;
  std::string answer;
  return std::getline(answers_, answer) && answer == link_protocol::kYes;
}

}  // namespace orbisk::link
