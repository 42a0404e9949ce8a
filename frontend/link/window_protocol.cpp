// orbisk-link's lines for the window that runs it.
#include "window_protocol.hpp"

namespace orbisk::link {

std::string ProtocolLine(const std::string& keyword, const std::string& text) {
  std::string line = keyword + " ";
  for (const char c : text) line += c == '\n' ? kRecordSeparator : c;
  return line + "\n";
}

void WindowMessenger::ShowMessage(const std::string& text) {
  out_ << ProtocolLine("orbisk-message", text) << std::flush;
}

void WindowMessenger::ReportFailure(const std::string& text) {
  out_ << ProtocolLine("orbisk-failure", text) << std::flush;
}

bool WindowMessenger::AskYesNo(const std::string& question) {
  out_ << ProtocolLine("orbisk-question", question) << std::flush;
  std::string answer;
  return std::getline(answers_, answer) && answer == "o";
}

}  // namespace orbisk::link
