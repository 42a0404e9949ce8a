// The real dialogs: Qt message boxes and file dialogs.
#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <memory>

#include "dialogs.hpp"

namespace orbisk {

class WidgetDialogs final : public Dialogs {
 public:
  // Dialogs are centred on, and modal to, `parent` when there is one.
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowMessage(Icon icon, const QString& caption, const QString& text) override;
  bool AskYesNo(const QString& caption, const QString& question, Icon icon = Icon::None) override;
  std::optional<QString> ChooseFile(const FileRequest& request) override;
  std::optional<ChosenFile> ChooseFileToSave(const FileRequest& request) override;
  SaveAnswer AskToSaveChanges(const QString& caption, const QString& question) override;
  std::optional<QStringList> ChooseItems(const QString& caption, const QString& label,
                                         const QStringList& items) override;
  std::optional<QString> ChooseFolder(const QString& caption, const QString& start) override;

 private:
  QWidget* parent_ = nullptr;
};

// The message boxes WidgetDialogs shows, built apart so tests can inspect them unshown.
std::unique_ptr<QMessageBox> MakeMessageBox(Dialogs::Icon icon, const QString& caption,
                                            const QString& text, QWidget* parent = nullptr);
std::unique_ptr<QMessageBox> MakeYesNoBox(const QString& caption, const QString& question,
                                          QWidget* parent = nullptr,
                                          Dialogs::Icon icon = Dialogs::Icon::None);
// Its buttons are "Enregistrer", "Ne pas enregistrer" and "Annuler", the first the default.
std::unique_ptr<QMessageBox> MakeSaveChangesBox(const QString& caption, const QString& question,
                                                QWidget* parent = nullptr);
std::unique_ptr<QFileDialog> MakeFileDialog(const Dialogs::FileRequest& request,
                                            QWidget* parent = nullptr);

}  // namespace orbisk
