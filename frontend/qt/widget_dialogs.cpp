// The real dialogs: Qt message boxes and file dialogs.
#include "widget_dialogs.hpp"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "file_dialog.hpp"
#include "window_texts.hpp"

namespace orbisk {
namespace {

QMessageBox::Icon ToQt(Dialogs::Icon icon) {
  switch (icon) {
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Question: return QMessageBox::Question;
    case Dialogs::Icon::Warning: return QMessageBox::Warning;
    case Dialogs::Icon::Critical: return QMessageBox::Critical;
    case Dialogs::Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

// Keeps a box over the middle of its window. Qt places a dialog by the size it has before it
// is shown, and a message box takes its size, from its text, only as it is shown: each
// time it takes one, it is put back in the middle.
class CentredOnItsWindow final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* box = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Resize && box->parentWidget() != nullptr) {
      const QPoint middle = box->parentWidget()->window()->frameGeometry().center();
      box->move(middle - QPoint(box->width() / 2, box->height() / 2));
    }
    return false;
  }
};

std::unique_ptr<QMessageBox> MakeBox(QMessageBox::Icon icon, const QString& caption,
                                     const QString& text, QMessageBox::StandardButtons buttons,
                                     QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(icon, caption, text, buttons, parent);
  // Paths and messages are shown as they are, never as markup.
  box->setTextFormat(Qt::PlainText);
  box->installEventFilter(new CentredOnItsWindow(box.get()));
  return box;
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(Dialogs::Icon icon, const QString& caption,
                                            const QString& text, QWidget* parent) {
  return MakeBox(ToQt(icon), caption, text, QMessageBox::Ok, parent);
}

std::unique_ptr<QMessageBox> MakeYesNoBox(const QString& caption, const QString& question,
                                          QWidget* parent, Dialogs::Icon icon) {
  auto box = MakeBox(ToQt(icon), caption, question, QMessageBox::Yes | QMessageBox::No, parent);
  box->setDefaultButton(QMessageBox::Yes);
  return box;
}

std::unique_ptr<QMessageBox> MakeSaveChangesBox(const QString& caption, const QString& question,
                                                QWidget* parent) {
  auto box = MakeBox(QMessageBox::Warning, caption, question,
                     QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box->button(QMessageBox::Save)->setText(texts::SaveChangesButton());
  box->button(QMessageBox::Discard)->setText(texts::DiscardChangesButton());
  box->button(QMessageBox::Cancel)->setText(texts::CancelButton());
  box->setDefaultButton(QMessageBox::Save);
  box->setEscapeButton(QMessageBox::Cancel);
  return box;
}

std::unique_ptr<QFileDialog> MakeFileDialog(const Dialogs::FileRequest& request, QWidget* parent) {
  auto dialog = std::make_unique<FileDialog>(parent);
  // Each filter carries its label in front of its patterns; the label alone is shown.
  dialog->setOption(QFileDialog::HideNameFilterDetails);
  if (request.kind == Dialogs::FileDialogKind::Open) {
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
  } else {
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    // Replacing is asked about when converting, not when choosing the name.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
  }
  dialog->setNameFilters(request.nameFilters);
  dialog->selectFile(request.proposedName);
  if (!request.title.isEmpty()) dialog->setWindowTitle(request.title);
  return dialog;
}

void WidgetDialogs::ShowMessage(Icon icon, const QString& caption, const QString& text) {
  MakeMessageBox(icon, caption, text, parent_)->exec();
}

bool WidgetDialogs::AskYesNo(const QString& caption, const QString& question, Icon icon) {
  return MakeYesNoBox(caption, question, parent_, icon)->exec() == QMessageBox::Yes;
}

std::optional<QString> WidgetDialogs::ChooseFile(const FileRequest& request) {
  const auto dialog = MakeFileDialog(request, parent_);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
  return dialog->selectedFiles().constFirst();
}

std::optional<Dialogs::ChosenFile> WidgetDialogs::ChooseFileToSave(const FileRequest& request) {
  const auto dialog = MakeFileDialog(request, parent_);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
  const int filter = static_cast<int>(request.nameFilters.indexOf(dialog->selectedNameFilter()));
  return ChosenFile{dialog->selectedFiles().constFirst(), filter < 0 ? 0 : filter};
}

Dialogs::SaveAnswer WidgetDialogs::AskToSaveChanges(const QString& caption,
                                                    const QString& question) {
  switch (MakeSaveChangesBox(caption, question, parent_)->exec()) {
    case QMessageBox::Save: return SaveAnswer::Save;
    case QMessageBox::Discard: return SaveAnswer::Discard;
    default: return SaveAnswer::Cancel;
  }
}

std::optional<QStringList> WidgetDialogs::ChooseItems(const QString& caption, const QString& label,
                                                      const QStringList& items) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(caption);
  auto* layout = new QVBoxLayout(&dialog);
  auto* text = new QLabel(label, &dialog);
  auto* list = new QListWidget(&dialog);
  list->setObjectName(QStringLiteral("items"));
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->addItems(items);
  // The listing's columns line up as on a terminal.
  list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text->setBuddy(list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Cancel)->setText(texts::CancelButton());
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  layout->addWidget(text);
  layout->addWidget(list);
  layout->addWidget(buttons);
  dialog.resize(520, 360);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  QStringList chosen;
  for (int row = 0; row < list->count(); ++row) {
    if (list->item(row)->isSelected()) chosen << list->item(row)->text();
  }
  return chosen;
}

std::optional<QString> WidgetDialogs::ChooseFolder(const QString& caption, const QString& start) {
  FileDialog dialog(parent_);
  dialog.setWindowTitle(caption);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setDirectory(start);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

}  // namespace orbisk
