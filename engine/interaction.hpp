// How the engine talks to the user: each front end implements this.
#pragma once

#include <string>

namespace orbisk {

class Interaction {
 public:
  virtual ~Interaction() = default;

  // A condition the program foresees, such as a missing source (OK button, no icon).
  virtual void ShowMessage(const std::string& text) = 0;
  // A failure that stopped a conversion; the text names the file and the reason.
  virtual void ReportFailure(const std::string& text) = 0;
  // A Yes/No question whose default answer is Yes; true means Yes.
  virtual bool AskYesNo(const std::string& question) = 0;
};

}  // namespace orbisk
