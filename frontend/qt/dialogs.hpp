// Every dialog the Qt front end shows, behind an interface so tests can script the answers
// and read back what was shown.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace orbisk {

class Dialogs {
 public:
  // Each box shows the icon of its kind; the few the conversion itself shows have none.
  enum class Icon { None, Information, Question, Warning, Critical };
  enum class FileDialogKind { Open, Save };

  struct FileRequest {
    FileDialogKind kind;
    QString proposedName;
    QStringList nameFilters;  // in Qt's form, such as "Fichier TI92+ (*.9xt)"
    QString title;            // when empty, the dialog's own for its kind

    FileRequest(FileDialogKind kind_, QString proposed, QStringList filters, QString title_ = {})
        : kind(kind_),
          proposedName(std::move(proposed)),
          nameFilters(std::move(filters)),
          title(std::move(title_)) {}
  };

  // What to do with unsaved changes.
  enum class SaveAnswer { Save, Discard, Cancel };
  // A file chosen in a Save dialog, with the filter (its index) it was chosen under.
  struct ChosenFile {
    QString path;
    int filter = 0;
  };

  virtual ~Dialogs() = default;

  // A modal message with an OK button.
  virtual void ShowMessage(Icon icon, const QString& caption, const QString& text) = 0;
  // A modal question with Yes and No, Yes the default button; true means Yes.
  virtual bool AskYesNo(const QString& caption, const QString& question,
                        Icon icon = Icon::None) = 0;
  // A modal file dialog: Open wants an existing file, Save does not ask about replacing
  // one. Nothing comes back when the user cancels.
  virtual std::optional<QString> ChooseFile(const FileRequest& request) = 0;
  // A Save dialog that says which of the filters the name was chosen under.
  virtual std::optional<ChosenFile> ChooseFileToSave(const FileRequest& request) = 0;
  // A modal question about unsaved changes: Save (the default), Don't Save, or Cancel.
  virtual SaveAnswer AskToSaveChanges(const QString& caption, const QString& question) = 0;
  // A modal list to pick one or more of `items` from; nothing comes back on Cancel.
  virtual std::optional<QStringList> ChooseItems(const QString& caption, const QString& label,
                                                 const QStringList& items) = 0;
  // A modal dialog to choose a folder, starting in `start`; nothing comes back on Cancel.
  virtual std::optional<QString> ChooseFolder(const QString& caption, const QString& start) = 0;
};

}  // namespace orbisk
