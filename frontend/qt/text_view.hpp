// A calculator text shown and edited line for line as on the calculator: each line's kind
// is a mark in the margin, where a click changes it; characters the calculators do not
// have are marked where they stand, and hovering one says what becomes of it; a line that
// wraps shows a mark on each continuation; page breaks are drawn across the text.
#pragma once

#include <QPlainTextEdit>

#include "calculator_text_document.hpp"

namespace orbisk {

class CalculatorTextView final : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit CalculatorTextView(QWidget* parent = nullptr);
  ~CalculatorTextView() override;

  // Shows `document` (which stays its owner's), in place of the one shown.
  void SetDocument(CalculatorTextDocument* document);
  CalculatorTextDocument* Document() const { return document_; }

  // The text as it now stands, with the cursor where it is.
  CalculatorText Text() const { return document_->Text(textCursor()); }

  void ZoomBy(int steps);
  void ResetZoom();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  class Margin;
  void PaintMargin(QPaintEvent* event);
  void ClickMargin(int y);
  int MarginWidth() const;
  void UpdateMarginWidth();
  void Repaint();
  // In a program, "->", "<=", ">=" or "/=" just typed becomes the calculator's sign, in a
  // step of its own that Ctrl+Z takes back; a tip by the cursor says so.
  void OfferSign();

  Margin* margin_;
  CalculatorTextDocument* document_;
};

}  // namespace orbisk
