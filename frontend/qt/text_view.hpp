// A calculator text shown and edited line for line as on the calculator: each line's kind
// (ordinary, command, PrintObj, page break) is a mark in the margin, where a click changes
// it; characters the calculators do not have are marked where they stand; a line that wraps
// shows a mark on each continuation. What the text holds and how large it is are kept up to
// date line by line, never by reading the whole text at each keystroke.
#pragma once

#include <QPlainTextEdit>
#include <memory>
#include <optional>
#include <vector>

#include "calculator_text.hpp"
#include "text_notation.hpp"

namespace orbisk {

// Calculator codes as the characters they stand for, control codes as their pictures.
QString CharactersOf(const std::string& codes);

class CalculatorTextView final : public QPlainTextEdit {
  Q_OBJECT

 public:
  using LineKind = orbisk::LineKind;

  explicit CalculatorTextView(QWidget* parent = nullptr);
  ~CalculatorTextView() override;

  // Shows `text` line for line, its cursor where it stands, as a text or, for a program,
  // with lines that have no kind. The text is then unmodified, with nothing to undo.
  void ShowText(const CalculatorText& text, Notation notation = Notation::Text);
  // The text as it now stands, with the cursor where it is; characters the calculators do
  // not have are "?".
  CalculatorText Text() const;
  Notation TextNotation() const { return notation_; }

  LineKind KindOfLine(int line) const;
  void SetKindOfLine(int line, LineKind kind);
  // The kind that follows the line's in the margin's round: ordinary, command, PrintObj,
  // page break, ordinary again.
  static LineKind NextKind(LineKind kind);
  // What the margin shows beside a line: "C", "P", another code's character, or nothing.
  QString MarginMark(int line) const;

  // How many codes the text takes (command codes and line ends included), and how many of
  // its characters the calculators do not have.
  std::size_t CodeCount() const;
  int UnknownCount() const;
  // The character at `position` when the calculators do not have it.
  std::optional<QString> UnknownAt(int position) const;

  void ZoomBy(int steps);
  void ResetZoom();

 signals:
  // The size or the count of unknown characters changed.
  void countsChanged();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;

 private:
  class Margin;
  class Marker;
  struct Counts;
  void PaintMargin(QPaintEvent* event);
  void ClickMargin(int y);
  int MarginWidth() const;
  void UpdateMarginWidth();
  // The kind a new line takes: ordinary in a text, none in a program.
  LineKind DefaultKind() const;

  Margin* margin_;
  std::shared_ptr<Counts> counts_;
  Marker* marker_;
  Notation notation_ = Notation::Text;
};

}  // namespace orbisk
