// The viewer: one calculator text, read-only, with what the file is and what can be done
// with it (convert it, save it as text). For a group, each of its texts and programs in
// turn, chosen from a list, and each of them can be extracted.
#pragma once

#include <QWidget>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "conversation.hpp"
#include "dialogs.hpp"
#include "dialogs_interaction.hpp"
#include "engine.hpp"
#include "local_files.hpp"
#include "model.hpp"

class QComboBox;
class QLabel;
class QPushButton;

namespace orbisk {

class CalculatorTextView;

class FormView : public QWidget {
  Q_OBJECT

 public:
  FormView(Engine& engine, Dialogs& dialogs, QWidget* parent = nullptr);

  // Shows the text variable in the file named by the bytes `path`. When it is not one, the
  // checker's report is shown in an error box, what was shown stays, and the result is false.
  bool Open(const std::string& path);
  bool Open(const QString& path) { return Open(ToPath(path)); }

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Shows the texts of the group in `path`, which ReadText found to be one.
  bool OpenGroup(const std::string& path);
  // Shows the group's `index`th text.
  void ShowVariable(int index);
  void Extract();
  // Shows the list of a group's texts and the button that extracts one, or hides them.
  void ShowGroupControls(bool shown);
  void ConvertTo(Model model);
  void SaveAsText();
  void Repair();
  // The conversion buttons the file's model calls for: to the other of TI92+ and
  // Voyager 200, or to both for a TI-89 file.
  void ShowConversionsFrom(Model model);

  Engine& engine_;
  Dialogs& dialogs_;
  DialogsInteraction messages_;
  Conversation user_{messages_};
  std::string path_;  // as bytes
  unsigned char type_ = 0x0B;  // the shown variable's, whose extension a conversion keeps
  // A group shown: the file, the entries of the texts listed, and the one shown.
  std::optional<OpenedGroup> group_;
  std::vector<std::size_t> texts_;
  std::optional<TextVariable> shown_;

  CalculatorTextView* text_;
  QLabel* variableLabel_;
  QComboBox* variables_;
  QLabel* details_;
  QLabel* warning_;  // what is wrong with the file, when its text was read all the same
  QPushButton* toV200_;
  QPushButton* toTi92Plus_;
  QPushButton* saveAsText_;
  QPushButton* repair_;
  QPushButton* extract_;
  QPushButton* close_;
};

}  // namespace orbisk
