// One run of the command line, which every mode works in: the engine, the user it answers,
// where it prints, whom it tells of each file made, and the files it has written, none of
// which a later file's result may replace.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "conversation.hpp"
#include "local_engine.hpp"
#include "target_file.hpp"

namespace orbisk {

// What to do once a file was made from another: tell the user, or nothing.
using Converted = std::function<void(const std::string& source, const std::string& target)>;

struct CommandRun {
  LocalEngine& engine;
  Conversation& user;
  std::ostream& out;
  // Told of each file made from another, when the user asked to hear of them (--notify).
  Converted done;
  WrittenFiles written;

  void Done(const std::string& source, const std::string& target) const {
    if (done) done(source, target);
  }
};

}  // namespace orbisk
