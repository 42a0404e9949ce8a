// The file dialog of the window: Qt's own, in French whatever the locale.
#include "file_dialog.hpp"

#include <QFileSystemModel>
#include <QHeaderView>
#include <QMessageBox>
#include <QSplitter>
#include <QTreeView>

#include "window_texts.hpp"

namespace orbisk {
namespace {

constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kDateColumn = 3;

QLocale French() { return QLocale(QLocale::French, QLocale::France); }

// Room for the widest size and date the columns show, and for their titles, plus the
// cell's margins and the sort arrow.
void WidenDetailColumns(QTreeView* view) {
  const QFontMetrics metrics(view->font());
  const int margins = metrics.averageCharWidth() * 4;
  const int arrow = view->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, view);
  QHeaderView* header = view->header();
  const QLocale french = French();
  const QString widest[] = {
      {},
      french.formattedDataSize(999'900'000),
      {},
      french.toString(QDateTime(QDate(2026, 12, 28), QTime(23, 59)), QLocale::ShortFormat)};
  for (const int column : {kSizeColumn, kDateColumn}) {
    const QString title = view->model()->headerData(column, Qt::Horizontal).toString();
    const int needed = std::max(metrics.horizontalAdvance(widest[column]),
                                metrics.horizontalAdvance(title) + arrow) +
                       margins;
    header->resizeSection(column, std::max(header->sectionSize(column), needed));
  }
}

}  // namespace

FileDialog::FileDialog(QWidget* parent) : QFileDialog(parent) {
  // Qt's own dialog, so that every text, size and date in it can be French.
  setOption(QFileDialog::DontUseNativeDialog);
  setViewMode(QFileDialog::Detail);
  setLocale(French());
  if (auto* view = findChild<QTreeView*>(QStringLiteral("treeView"))) {
    auto* details = new FrenchFileDetails(view);
    for (const int column : {kSizeColumn, kTypeColumn, kDateColumn}) {
      view->setItemDelegateForColumn(column, details);
    }
    WidenDetailColumns(view);
  }
  // Wide enough for the names as well as the details beside them, and for the places.
  resize(std::max(width(), 760), std::max(height(), 440));
  if (auto* splitter = findChild<QSplitter*>(QStringLiteral("splitter"))) {
    splitter->setSizes({150, width() - 150});
  }
}

void FileDialog::accept() {
  const QStringList chosen = selectedFiles();
  if (acceptMode() == QFileDialog::AcceptSave && !chosen.isEmpty()) {
    const QFileInfo file(chosen.constFirst());
    if (!file.isDir() && !file.absoluteDir().exists()) {
      auto* box =
          new QMessageBox(QMessageBox::Warning, windowTitle(),
                          texts::FolderNotFound(file.absolutePath()), QMessageBox::Ok, this);
      box->setAttribute(Qt::WA_DeleteOnClose);
      box->open();
      return;
    }
  }
  QFileDialog::accept();
}

QString FrenchFileDetails::Text(const QFileSystemModel& model, const QModelIndex& index) {
  if (index.column() == kSizeColumn) {
    return model.isDir(index) ? QString() : French().formattedDataSize(model.size(index));
  }
  if (index.column() == kDateColumn) {
    return French().toString(model.lastModified(index), QLocale::ShortFormat);
  }
  if (index.column() == kTypeColumn) {
    if (model.isDir(index)) return texts::FolderType();
    return texts::FileType(model.fileInfo(index).suffix());
  }
  return {};
}

void FrenchFileDetails::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  if (const auto* model = qobject_cast<const QFileSystemModel*>(index.model())) {
    option->text = Text(*model, index);
  }
}

}  // namespace orbisk
