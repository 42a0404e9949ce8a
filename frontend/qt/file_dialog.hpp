// The file dialog of the window: Qt's own, in French whatever the locale, and a Save dialog
// that refuses a folder that does not exist.
#pragma once

#include <QFileDialog>
#include <QStyledItemDelegate>

class QFileSystemModel;

namespace orbisk {

class FileDialog final : public QFileDialog {
  Q_OBJECT

 public:
  explicit FileDialog(QWidget* parent = nullptr);

 public slots:
  // A name in a folder that does not exist is refused with a message, and the dialog stays.
  void accept() override;
};

// Shows the size, type and modification date columns of the file list in French, since Qt
// formats the first and last in the system's locale and has no French words for the types.
class FrenchFileDetails final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  // The text shown for a cell of `model`; empty for columns other than size, type and date.
  static QString Text(const QFileSystemModel& model, const QModelIndex& index);

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace orbisk
