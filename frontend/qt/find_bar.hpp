// The bar under the text that finds, replaces, and goes to a line, opened by Ctrl+F,
// Ctrl+H and Ctrl+L and closed by Escape. What it did not find it says in the bar itself.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace orbisk {

class FindBar final : public QWidget {
  Q_OBJECT

 public:
  enum class Mode { Find, Replace, GoToLine };
  FindBar(QPlainTextEdit* text, QWidget* parent = nullptr);

  void Open(Mode mode);
  // Selects the next place that holds the searched text after the cursor, from the start
  // again past the end; false when there is none.
  bool FindNext();
  // The same before the cursor, from the end again past the start.
  bool FindPrevious();
  // Replaces the selection when it is the searched text, then finds the next one.
  void ReplaceOne();
  // Replaces every place, as one change to undo; gives how many.
  int ReplaceAll();
  // Puts the cursor at the start of line `line` (from 1).
  void GoToLine(int line);

  void setVisible(bool visible) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool Find(bool backward);
  // Every place that holds the searched text, marked in the text.
  void MarkAll();

  QPlainTextEdit* text_;
  QLineEdit* find_;
  QLineEdit* replace_;
  QSpinBox* line_;
  QWidget* findRow_;
  QWidget* replaceRow_;
  QWidget* lineRow_;
  QLabel* result_;
};

}  // namespace orbisk
