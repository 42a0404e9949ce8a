// Messages and questions on a terminal: messages to standard error, answers from the keyboard.
#include "terminal_interaction.hpp"

#include <string>

#include "cli_texts.hpp"

namespace orbisk {
namespace {

std::string Lowercase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

void TerminalInteraction::ShowMessage(const std::string& text) { out_ << text << std::endl; }

void TerminalInteraction::ReportFailure(const std::string& text) { out_ << text << std::endl; }

bool TerminalInteraction::AskYesNo(const std::string& question) {
  for (;;) {
    out_ << question << texts::YesNoPromptSuffix() << std::flush;
    std::string line;
    if (!std::getline(answers_, line)) {
      out_ << std::endl;
      return false;
    }
    const std::string answer = Lowercase(Trimmed(line));
    if (answer.empty() || answer == "o" || answer == "oui" || answer == "y" || answer == "yes") {
      return true;
    }
    if (answer == "n" || answer == "non" || answer == "no") return false;
    out_ << texts::YesNoRetry() << std::endl;
  }
}

}  // namespace orbisk
