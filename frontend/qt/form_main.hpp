// The main window: pick a direction, a source and optionally a target, and convert.
#pragma once

#include <QWidget>

#include "conversation.hpp"
#include "dialogs.hpp"
#include "dialogs_interaction.hpp"
#include "engine.hpp"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orbisk {

class FormMain : public QWidget {
  Q_OBJECT

 public:
  FormMain(Engine& engine, Dialogs& dialogs, QWidget* parent = nullptr);

  // The file name the browse dialog remembers; each browse proposes a name derived from it.
  const QString& DialogFileName() const { return CD.FileName; }

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void cmdConvert_Click();
  void cmdMore_Click();
  void cmdMoreCible_Click();

  bool ToV200Selected() const;
  void TakeDroppedFile(QDropEvent* event);
  void PlaceControls();
  // Shows the file dialog for files of the TI92+ or the Voyager 200 kind, proposing the
  // remembered name with that kind's extension; on acceptance remembers the chosen name and
  // puts it into `field`.
  void Browse(Dialogs::FileDialogKind kind, bool v200Files, QLineEdit* field);

  Engine& engine_;
  Dialogs& dialogs_;
  DialogsInteraction messages_;
  Conversation user_{messages_, messages::Audience::Window};
  // The window's one file dialog, shared by both browse buttons: what it keeps between uses.
  struct CommonDialog {
    QString FileName;
  } CD;

  QGroupBox* Frame1;
  QRadioButton* optSens[2];
  QLabel* Label1;
  QLineEdit* txtFile;
  QPushButton* cmdMore;
  QLabel* Label2;
  QLineEdit* txtCible;
  QPushButton* cmdMoreCible;
  QPushButton* cmdConvert;
};

}  // namespace orbisk
