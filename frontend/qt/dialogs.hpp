// Every dialog the Qt front end shows, behind an interface so tests can script the answers
// and read back what was shown.
#pragma once

#include <QString>

namespace orbisk {

class Dialogs {
 public:
  enum class Icon { None, Information, Critical };

  virtual ~Dialogs() = default;

  // A modal message with an OK button.
  virtual void ShowMessage(Icon icon, const QString& caption, const QString& text) = 0;
  // A modal question with Yes and No, Yes the default button, no icon; true means Yes.
  virtual bool AskYesNo(const QString& caption, const QString& question) = 0;
};

}  // namespace orbisk
