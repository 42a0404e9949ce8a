// The editor: one calculator text, changed as on the calculator and saved over its file or
// as a file of any model, with what the file is and what can be done with it (convert it,
// save it as text, repair it). For a group, each of its texts and programs in turn, chosen
// from a list and read-only, and each of them can be extracted.
#pragma once

#include <QWidget>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "conversation.hpp"
#include "dialogs.hpp"
#include "dialogs_interaction.hpp"
#include "engine.hpp"
#include "local_files.hpp"
#include "model.hpp"
#include "recovery_copy.hpp"

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace orbisk {

class CalculatorTextView;
class CharacterPalette;
class FindBar;

class FormView : public QWidget {
  Q_OBJECT

 public:
  FormView(Engine& engine, Dialogs& dialogs, QWidget* parent = nullptr);
  ~FormView() override;

  // Shows the text variable in the file named by the bytes `path`; a text file (UTF-8 or a
  // 7-bit export) is shown as a new calculator text made from it. When it is neither, the
  // reason is shown in an error box, what was shown stays, and the result is false.
  bool Open(const std::string& path);
  bool Open(const QString& path) { return Open(ToPath(path)); }
  // Shows an empty text for `model`, with no file yet; or, for the program or function
  // `type`, one with its arguments and frame, kept in text form when saved.
  void NewText(Model model, unsigned char type = 0x0B);

  // Saves over the file shown, or where the user says when it has none; false when
  // nothing was saved.
  bool Save();
  bool SaveAs();
  // Offers each copy of a new text with changes that a run which ended left, and shows the
  // first one accepted (the others in windows of their own).
  void OfferNewTextRecovery();
  // How long after the last change the recovery copy is written.
  void SetRecoveryDelay(int milliseconds);
  // Writes the recovery copy of a text with unsaved changes now.
  void KeepRecoveryCopy();

  // Whether the text has changes not saved.
  bool IsModified() const;
  // The window's file, as bytes; empty for a new text.
  const std::string& Path() const { return path_; }

  // How the window opens another (Nouveau, Ouvrir… of a second file): without one, a new
  // text or a file replaces the one shown. Quitting closes every window `all` gives.
  using WindowMaker = std::function<FormView*()>;
  using AllWindows = std::function<std::vector<FormView*>()>;
  void SetWindowMaker(WindowMaker maker, AllWindows all);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildMenus();
  // Shows the texts of the group in `path`, which ReadText found to be one.
  bool OpenGroup(const std::string& path);
  // Shows a text file made into a new calculator text.
  bool OpenTextFile(const std::string& path);
  // Shows the group's `index`th text.
  void ShowVariable(int index);
  // Shows `text` of a variable of `type` for `model`, with the header to keep when saved.
  void ShowDocument(const CalculatorText& text, Model model, unsigned char type,
                    const VariableFile& base);
  void Extract();
  void ShowGroupControls(bool shown);
  // What is wrong with the file, or was told while reading it, under the text.
  void ShowWarnings(const std::vector<Warning>& warnings);
  void ConvertTo(Model model);
  void SaveAsText();
  void Repair();
  void ShowConversionsFrom(Model model);
  // Writes the text for `model` into `target`; false when nothing was written.
  bool SaveTo(const std::string& target, Model model);
  // The file the text makes for `model`, and whether it fits a variable (said when not).
  std::optional<VariableFile> FileToSave(Model model, const std::string& target);
  void NewWindow(unsigned char type);
  void OpenChosen();
  void Quit();
  // Asks about unsaved changes; false when the user cancels or the save failed.
  bool MaySetTextAside();
  void UpdateTitle();
  void UpdateStatus();
  void UpdateLineKindActions();
  void SetLineKind(LineKind kind);
  void CheckName(QLineEdit* field, std::string& kept);
  void OfferReload();
  // Offers the copies of the text of `path` (of new texts, for an empty path) left by runs
  // that ended without saving them.
  void OfferRecovery(const std::string& path);
  // Shows the text a recovery copy holds, with changes.
  void Restore(const RecoveryCopy& copy);
  void DropRecoveryCopy();
  QString ShownName() const;

  Engine& engine_;
  Dialogs& dialogs_;
  DialogsInteraction messages_;
  Conversation user_{messages_};
  WindowMaker makeWindow_;
  AllWindows allWindows_;
  std::string path_;  // as bytes; empty for a new text
  Model model_ = Model::Voyager200;
  unsigned char type_ = 0x0B;  // the shown variable's, whose extension a conversion keeps
  // What a save keeps of the file: its header and the variable's attribute.
  VariableFile base_;
  std::optional<OpenedText> opened_;  // the file as read, to save over it without a question
  std::string folder_ = "main";
  std::string name_;
  // A group shown: the file, the entries of the texts listed, and the one shown.
  std::optional<OpenedGroup> group_;
  std::vector<std::size_t> texts_;
  std::optional<TextVariable> shown_;
  bool reloadOffered_ = false;
  // The name this window's recovery copy is kept under, once one is.
  std::string recoveryKey_;

  CalculatorTextView* text_;
  CharacterPalette* palette_;
  FindBar* find_;
  QLabel* variableLabel_;
  QComboBox* variables_;
  QLineEdit* folderField_;
  QLineEdit* nameField_;
  QLabel* details_;
  QLabel* warning_;  // what is wrong with the file, when its text was read all the same
  QPushButton* toV200_;
  QPushButton* toTi92Plus_;
  QPushButton* toTi89_;
  QPushButton* saveAsText_;
  QPushButton* repair_;
  QPushButton* extract_;
  QPushButton* close_;
  QTimer* recoveryTimer_;  // writes the recovery copy a while after the last change
  QAction* save_ = nullptr;
  QAction* saveAs_ = nullptr;
  QActionGroup* lineKinds_ = nullptr;
};

}  // namespace orbisk
