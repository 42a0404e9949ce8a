// Finding, replacing and going to a line in the text.
#include "find_bar.hpp"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextDocument>

#include "window_texts.hpp"

namespace orbisk {
namespace {

QWidget* Row(QWidget* parent, QLabel* label, QWidget* field,
             std::initializer_list<QWidget*> buttons) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  label->setBuddy(field);
  layout->addWidget(label);
  layout->addWidget(field, 1);
  for (QWidget* button : buttons) layout->addWidget(button);
  return row;
}

}  // namespace

FindBar::FindBar(QPlainTextEdit* text, QWidget* parent)
    : QWidget(parent),
      text_(text),
      find_(new QLineEdit(this)),
      replace_(new QLineEdit(this)),
      line_(new QSpinBox(this)),
      result_(new QLabel(this)) {
  find_->setObjectName(QStringLiteral("findText"));
  replace_->setObjectName(QStringLiteral("replaceText"));
  line_->setObjectName(QStringLiteral("lineNumber"));
  result_->setObjectName(QStringLiteral("findResult"));
  auto* next = new QPushButton(texts::FindNextButton(), this);
  auto* replaceOne = new QPushButton(texts::ReplaceButton(), this);
  auto* replaceAll = new QPushButton(texts::ReplaceAllButton(), this);
  findRow_ = Row(this, new QLabel(texts::FindLabel(), this), find_, {next});
  replaceRow_ =
      Row(this, new QLabel(texts::ReplaceLabel(), this), replace_, {replaceOne, replaceAll});
  lineRow_ = Row(this, new QLabel(texts::LineNumberLabel(), this), line_, {});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(findRow_);
  layout->addWidget(replaceRow_);
  layout->addWidget(lineRow_);
  layout->addWidget(result_);
  connect(find_, &QLineEdit::returnPressed, this, &FindBar::FindNext);
  // Found as it is typed: from where the match found so far starts, every place marked.
  connect(find_, &QLineEdit::textEdited, this, [this] {
    QTextCursor from = text_->textCursor();
    from.setPosition(from.selectionStart());
    text_->setTextCursor(from);
    FindNext();
    MarkAll();
  });
  connect(next, &QPushButton::clicked, this, &FindBar::FindNext);
  connect(replace_, &QLineEdit::returnPressed, this, &FindBar::ReplaceOne);
  connect(replaceOne, &QPushButton::clicked, this, &FindBar::ReplaceOne);
  connect(replaceAll, &QPushButton::clicked, this, &FindBar::ReplaceAll);
  connect(line_, &QSpinBox::editingFinished, this, [this] { GoToLine(line_->value()); });
  setVisible(false);
}

void FindBar::Open(Mode mode) {
  findRow_->setVisible(mode != Mode::GoToLine);
  replaceRow_->setVisible(mode == Mode::Replace);
  lineRow_->setVisible(mode == Mode::GoToLine);
  result_->clear();
  setVisible(true);
  if (mode == Mode::GoToLine) {
    line_->setRange(1, text_->document()->blockCount());
    line_->setValue(text_->textCursor().blockNumber() + 1);
    line_->setFocus();
    line_->selectAll();
    return;
  }
  // What is selected is what is looked for, when it is within a line.
  const QString selected = text_->textCursor().selectedText();
  if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
    find_->setText(selected);
  find_->setFocus();
  find_->selectAll();
}

bool FindBar::FindNext() { return Find(false); }

bool FindBar::FindPrevious() { return Find(true); }

bool FindBar::Find(bool backward) {
  const QString wanted = find_->text();
  if (wanted.isEmpty()) return false;
  const QTextDocument::FindFlags flags(backward ? QTextDocument::FindBackward
                                                : QTextDocument::FindFlag{});
  QTextCursor found = text_->document()->find(wanted, text_->textCursor(), flags);
  if (found.isNull()) {
    found = text_->document()->find(wanted, backward ? text_->document()->characterCount() - 1 : 0,
                                    flags);
  }
  if (found.isNull()) {
    result_->setText(texts::NotFound(wanted));
    return false;
  }
  result_->clear();
  text_->setTextCursor(found);
  return true;
}

void FindBar::MarkAll() {
  QList<QTextEdit::ExtraSelection> marks;
  const QString wanted = find_->text();
  QTextCharFormat format;
  format.setBackground(QColor(255, 220, 0, 110));
  // Enough to see them all on any screen, few enough to stay instant in a long text.
  for (QTextCursor found = text_->document()->find(wanted, 0);
       !wanted.isEmpty() && !found.isNull() && marks.size() < 2000;
       found = text_->document()->find(wanted, found)) {
    marks.append({found, format});
  }
  text_->setExtraSelections(marks);
}

void FindBar::ReplaceOne() {
  QTextCursor cursor = text_->textCursor();
  if (cursor.hasSelection() && cursor.selectedText() == find_->text()) {
    cursor.insertText(replace_->text());
    text_->setTextCursor(cursor);
  }
  FindNext();
}

int FindBar::ReplaceAll() {
  const QString wanted = find_->text();
  if (wanted.isEmpty()) return 0;
  int count = 0;
  QTextCursor edit(text_->document());
  edit.beginEditBlock();
  for (QTextCursor found = text_->document()->find(wanted, 0); !found.isNull();
       found = text_->document()->find(wanted, found)) {
    found.insertText(replace_->text());
    ++count;
  }
  edit.endEditBlock();
  result_->setText(count == 0 ? texts::NotFound(wanted) : texts::Replaced(count));
  return count;
}

void FindBar::GoToLine(int line) {
  const QTextBlock block = text_->document()->findBlockByNumber(line - 1);
  if (!block.isValid()) return;
  text_->setTextCursor(QTextCursor(block));
  text_->centerCursor();
  text_->setFocus();
}

// Closed, the bar takes its marks away with it.
void FindBar::setVisible(bool visible) {
  if (!visible) text_->setExtraSelections({});
  QWidget::setVisible(visible);
}

void FindBar::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    setVisible(false);
    text_->setFocus();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace orbisk
