// The viewer: one calculator text, read-only, with what the file is and what can be done
// with it (convert it, save it as text).
#pragma once

#include <QWidget>

#include "clock.hpp"
#include "dialogs.hpp"
#include "dialogs_interaction.hpp"
#include "file_system.hpp"
#include "variable_file.hpp"

class QLabel;
class QPushButton;

namespace orbisk {

class CalculatorTextView;

class FormView : public QWidget {
  Q_OBJECT

 public:
  FormView(FileSystem& files, const Clock& clock, Dialogs& dialogs, QWidget* parent = nullptr);

  // Shows the text variable in `path`. When it is not one, the checker's report is shown in
  // an error box, what was shown stays, and the result is false.
  bool Open(const QString& path);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void ConvertTo(Model model);
  void SaveAsText();
  // The conversion buttons the file's model calls for: to the other of TI92+ and
  // Voyager 200, or to both for a TI-89 file.
  void ShowConversionsFrom(Model model);

  FileSystem& files_;
  const Clock& clock_;
  Dialogs& dialogs_;
  DialogsInteraction interaction_;
  QString path_;

  CalculatorTextView* text_;
  QLabel* details_;
  QPushButton* toV200_;
  QPushButton* toTi92Plus_;
  QPushButton* saveAsText_;
  QPushButton* close_;
};

}  // namespace orbisk
