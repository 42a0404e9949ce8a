// A calculator text shown read-only, line for line as on the calculator, with a discreet
// mark in the margin for command and PrintObj lines and a rule for page breaks.
#pragma once

#include <QPlainTextEdit>
#include <string>

namespace orbisk {

class CalculatorTextView final : public QPlainTextEdit {
  Q_OBJECT

 public:
  // What a line is, from its command code.
  enum class LineKind { Ordinary, Command, PrintObj, PageBreak, OtherCode, NoCode };

  explicit CalculatorTextView(QWidget* parent = nullptr);

  // Shows the text of a text variable: the codes between its cursor and its terminator.
  void ShowText(const std::string& text);
  LineKind KindOfLine(int line) const;
  // What the margin shows beside a line: "C", "P", another code's character, or nothing.
  QString MarginMark(int line) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  class Margin;
  void PaintMargin(QPaintEvent* event);
  int MarginWidth() const;

  Margin* margin_;
  std::vector<QString> marks_;  // one per line, for the other codes
};

}  // namespace orbisk
