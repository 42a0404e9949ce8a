// What the engine asks of the user and tells them while it works: each front end implements
// this. Failures are not told here: the operations return them.
#pragma once

#include <string>

#include "error.hpp"

namespace orbisk {

class Interaction {
 public:
  virtual ~Interaction() = default;

  // Whether to replace `target`, which exists; Yes is the default answer.
  virtual bool AskToReplace(const std::string& target) = 0;
  // Whether to replace `target`, which changed on disk since it was read.
  virtual bool AskToReplaceChanged(const std::string& target) = 0;
  // Something the user should know, though the operation goes on.
  virtual void Warn(const Warning& warning) = 0;
};

}  // namespace orbisk
