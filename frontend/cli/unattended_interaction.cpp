// With nobody to answer: messages to standard error, and an existing target is kept.
#include "unattended_interaction.hpp"

#include "cli_texts.hpp"

namespace orbisk {

bool UnattendedInteraction::AskYesNo(const std::string& question) {
  out_ << texts::OverwriteRefusedUnattended(question) << std::endl;
  return false;
}

}  // namespace orbisk
