// A calculator text shown read-only, line for line as on the calculator, with a discreet
// mark in the margin for command and PrintObj lines and a rule for page breaks.
#pragma once

#include <QPlainTextEdit>
#include <vector>

#include "calculator_text.hpp"

namespace orbisk {

class CalculatorTextView final : public QPlainTextEdit {
  Q_OBJECT

 public:
  using LineKind = orbisk::LineKind;

  explicit CalculatorTextView(QWidget* parent = nullptr);

  // Shows the text of a text variable, line for line.
  void ShowText(const CalculatorText& text);
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
