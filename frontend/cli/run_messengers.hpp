// Where a run's words go: a terminal, message boxes, or standard error; and what --notify
// says once the run is over.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "conversation.hpp"
#include "messages.hpp"
#include "qt_module.hpp"

namespace orbisk {

// Message boxes come from the Qt module; if it cannot be loaded, standard error serves.
std::unique_ptr<Messenger> MessageBoxesOrStandardError();

// A terminal when there is one; otherwise message boxes for what a person waits for (a
// conversion, or whatever --notify asked), standard error for the text modes.
std::unique_ptr<Messenger> ChooseMessenger(bool boxes);

// What --notify says once the run is over: one file's word on success as it always was, or
// one summary of several files with their failures, through the Qt module on a display;
// without one, each success as a line on standard output and failures as they come.
class SuccessNotice {
 public:
  SuccessNotice(std::ostream& out, messages::Made made) : out_(out), made_(made) {}

  // Decides where the words go; on a display, the failures wait for the summary.
  void Start(Conversation& user);
  void operator()(const std::string& source, const std::string& target);
  // Says how the run went, on a display; errors are told as they come again.
  void Finish(Conversation& user);

 private:
  std::ostream& out_;
  messages::Made made_;
  const OrbiskQtModule* module_ = nullptr;
  std::vector<std::string> done_;
  std::optional<KeptErrors> failures_;
};

}  // namespace orbisk
