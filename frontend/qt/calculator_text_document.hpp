// A calculator text as Qt edits it: a block a line, each line's kind (ordinary, command,
// PrintObj, page break, another code) kept in its block's format, where the undo history
// records it with the text. What the text holds and how large it is are kept up to date
// line by line, never by reading the whole text at each keystroke.
#pragma once

#include <QTextDocument>
#include <cstddef>
#include <memory>
#include <optional>

#include "calculator_text.hpp"
#include "text_notation.hpp"

class QTextCursor;

namespace orbisk {

// Calculator codes as the characters they stand for, control codes as their pictures.
QString CharactersOf(const std::string& codes);

class CalculatorTextDocument final : public QTextDocument {
  Q_OBJECT

 public:
  explicit CalculatorTextDocument(QObject* parent = nullptr);
  ~CalculatorTextDocument() override;

  // Holds `text` line for line, as a text or, for a program, with lines that have no kind;
  // then unmodified, with nothing to undo. Returns where the text's cursor stands in it.
  int SetText(const CalculatorText& text, Notation notation = Notation::Text);
  // The text as it now stands, its cursor at `cursor`; characters the calculators do not
  // have are "?".
  CalculatorText Text(const QTextCursor& cursor) const;
  Notation TextNotation() const { return notation_; }
  // The codes of the cursor's line before it ('?' for a character the calculators lack).
  std::string CodesBefore(const QTextCursor& cursor) const;

  LineKind KindOfLine(int line) const;
  // One step of the undo history; a program's lines have no kind to change.
  void SetKindOfLine(int line, LineKind kind);
  // The kind that follows the line's in the margin's round: ordinary, command, PrintObj,
  // page break, ordinary again.
  static LineKind NextKind(LineKind kind);
  // What the margin shows beside a line: "C", "P", another code's character, or nothing.
  QString MarginMark(int line) const;

  // Puts `pasted` in place of the cursor's selection, read as a text file is: its lines'
  // marks ("C│") give their kinds, and characters the calculators lack are kept, and
  // marked, until the text is saved. One step of the undo history.
  void Paste(QTextCursor& cursor, const QString& pasted);

  // How many codes the text takes (command codes and line ends included), and how many of
  // its characters the calculators do not have.
  std::size_t CodeCount() const;
  int UnknownCount() const;
  // The character at `position` when the calculators do not have it.
  std::optional<QString> UnknownAt(int position) const;

 signals:
  // The size or the count of unknown characters changed.
  void countsChanged();
  // A line's kind changed, or the whole text: what the margin shows is to be drawn again.
  void kindsChanged();

 private:
  class Marker;
  struct Counts;
  // The kind a new line takes: ordinary in a text, none in a program.
  LineKind DefaultKind() const;

  std::shared_ptr<Counts> counts_;
  Marker* marker_;
  Notation notation_ = Notation::Text;
};

}  // namespace orbisk
