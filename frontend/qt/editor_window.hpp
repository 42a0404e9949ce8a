// The editor window: one calculator text (an EditorDocument), changed as on the calculator
// and saved over its file or as a file of any model, with what the file is and what can be
// done with it (convert it, save it as text, repair it). For a group, each of its texts and
// programs in turn, chosen from a list (a GroupBrowser) and read-only, each of which can be
// extracted.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "conversation.hpp"
#include "dialogs.hpp"
#include "dialogs_interaction.hpp"
#include "editor_document.hpp"
#include "engine.hpp"
#include "local_files.hpp"
#include "model.hpp"

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace orbisk {

class CalculatorTextView;
class CharacterPalette;
class FindBar;
class GroupBrowser;

class EditorWindow : public QWidget {
  Q_OBJECT

 public:
  EditorWindow(Engine& engine, Dialogs& dialogs, QWidget* parent = nullptr);
  ~EditorWindow() override;

  // Shows the text variable in the file named by the bytes `path`; a text file (UTF-8 or a
  // 7-bit export) is shown as a new calculator text made from it, a group as the list of
  // its texts. When it is none of them, the reason is shown in an error box, what was shown
  // stays, and the result is false.
  bool Open(const std::string& path);
  bool Open(const QString& path) { return Open(ToPath(path)); }
  // Shows an empty text for `model`, with no file yet; or, for the program or function
  // `type`, one with its arguments and frame, kept in text form when saved.
  void NewText(Model model, unsigned char type = types::kText);

  // Saves over the file shown, or where the user says when it has none; false when
  // nothing was saved.
  bool Save();
  bool SaveAs();
  // Offers each copy of a new text with changes that a run which ended left, and shows the
  // first one accepted (the others in windows of their own).
  void OfferNewTextRecovery();

  // Whether the text has changes not saved.
  bool IsModified() const;
  // The window's file, as bytes; empty for a new text.
  const std::string& Path() const;
  EditorDocument& Document() { return *document_; }

  // How the window opens another (Nouveau, Ouvrir… of a second file): without one, a new
  // text or a file replaces the one shown. Quitting closes every window `all` gives.
  using WindowMaker = std::function<EditorWindow*()>;
  using AllWindows = std::function<std::vector<EditorWindow*>()>;
  void SetWindowMaker(WindowMaker maker, AllWindows all);
  // How the window opens the converter window (Fichier › Fenêtre de conversion…), offered
  // once there is one.
  void SetConverterOpener(std::function<void()> open);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  struct MenuAction;
  struct Menu;
  std::vector<Menu> MenuTable();
  void BuildMenus();
  void LayOut();
  void Connect();
  // Shows the document's text, editable, after it was read, made or restored.
  void ShowDocument();
  // The document's file, model or names changed.
  void ShowDocumentDetails();
  bool OpenGroup(const std::string& path);
  // Shows the variable the group browser has chosen.
  void ShowChosenVariable();
  // What is wrong with the file, or was told while reading it, under the text.
  void ShowWarnings(const std::vector<Warning>& warnings);
  void ConvertTo(Model model);
  void SaveAsText();
  // Sends the text as it stands (saved first if the user wishes) to the calculator.
  void SendToCalculator();
  // Lists the calculator's variables, receives those picked into a folder and opens them.
  void ReceiveFromCalculator();
  void Repair();
  void ShowConversionsFrom(Model model);
  // Whether the text fits a variable, said when it does not.
  bool FitsAVariable(const std::string& target);
  // Writes the text for `model` into `target`; false when nothing was written.
  bool SaveTo(const std::string& target, Model model);
  void NewWindow(unsigned char type);
  void OpenChosen();
  // Opens `path` here when this window shows a new text not yet changed, in another
  // window otherwise (here, once the changes are dealt with, when there is no other).
  void OpenHereOrBeside(const std::string& path);
  // Fichier › Récents: the files opened or saved lately, the latest first.
  void ListRecentFiles(QMenu* menu);
  void Quit();
  // Asks about unsaved changes; false when the user cancels or the save failed.
  bool MaySetTextAside();
  void UpdateTitle();
  void UpdateStatus();
  void UpdateLineKindActions();
  void UpdatePosition();
  // Finds the text of the find bar again, opening it when nothing was searched yet.
  void FindAgain(bool backward);
  void ShowAbout();
  void SetLineKind(LineKind kind);
  // Makes the text a variable of `type`, or says under the fields why it cannot be one.
  void ChangeType(unsigned char type);
  // Shows `type` as the one chosen, and whether it may be changed.
  void ShowType(unsigned char type, bool changeable);
  // Marks `field` while what is typed in it cannot name a variable or folder, the reason
  // under it.
  void MarkName(QLineEdit* field);
  // Takes the name typed in `field` through `set`, or says why not and shows `kept` again.
  void CheckName(QLineEdit* field, bool (EditorDocument::*set)(const std::string&),
                 const std::string& (EditorDocument::*kept)() const);
  void OfferReload();
  // Offers the copies of the text of `path` (of new texts, for an empty path) left by runs
  // that ended without saving them.
  void OfferRecovery(const std::string& path);
  void Restore(const RecoveryCopy& copy);
  QString ShownName() const;
  Model ShownModel() const;

  Engine& engine_;
  Dialogs& dialogs_;
  DialogsInteraction messages_;
  Conversation user_{messages_, messages::Audience::Window};
  WindowMaker makeWindow_;
  AllWindows allWindows_;
  std::function<void()> openConverter_;
  EditorDocument* document_;
  // What a group's chosen variable is shown in, read-only.
  CalculatorTextDocument* groupText_;
  bool reloadOffered_ = false;

  CalculatorTextView* text_;
  CharacterPalette* palette_;
  FindBar* find_;
  GroupBrowser* browser_;
  QLineEdit* folderField_;
  QLineEdit* nameField_;
  QComboBox* typeChoice_;  // the variable's type: text, program or function
  QLabel* details_;
  QLabel* position_;     // where the cursor is: line and column
  QLabel* warning_;      // what is wrong with the file, when its text was read all the same
  QLabel* nameProblem_;  // why the folder or name typed cannot be one
  QPushButton* toV200_;
  QPushButton* toTi92Plus_;
  QPushButton* toTi89_;
  QPushButton* saveAsText_;
  QPushButton* repair_;
  QPushButton* extract_;
  QPushButton* close_;
  QAction* save_ = nullptr;
  QAction* saveAs_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QAction* convertTo_[3] = {};
  QAction* lineKindActions_[4] = {};
  QAction* paletteShown_ = nullptr;
  QAction* converter_ = nullptr;
  QActionGroup* lineKinds_ = nullptr;
};

}  // namespace orbisk
