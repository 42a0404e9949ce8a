// A calculator text as Qt edits it, line for line, each line with its kind.
#include "calculator_text_document.hpp"

#include <QPlainTextDocumentLayout>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "charset.hpp"

namespace orbisk {
namespace {

// A line's kind, and an OtherCode line's code, live in a property of its block's format,
// which the document's undo history records with the text: undoing a change of kind, a
// deleted line or two lines joined brings each line back with its own kind. A line the
// user made takes the kind of the line it was split from, or none yet (-1) and then the
// text's default kind.
constexpr int kKindProperty = QTextFormat::UserProperty + 1;

int StateOf(LineKind kind, unsigned char otherCode = 0) {
  return static_cast<int>(kind) | (otherCode << 8);
}
int StateOfBlock(const QTextBlock& block) {
  const QTextBlockFormat format = block.blockFormat();
  return format.hasProperty(kKindProperty) ? format.intProperty(kKindProperty) : -1;
}
// Sets the state of the block `cursor` is in, as one change of the document.
void SetStateOfBlock(QTextCursor cursor, int state) {
  QTextBlockFormat format;
  format.setProperty(kKindProperty, state);
  cursor.mergeBlockFormat(format);
}
LineKind KindOfState(int state, LineKind fallback) {
  return state < 0 ? fallback : static_cast<LineKind>(state & 0xFF);
}
unsigned char CodeOfState(int state) {
  return state < 0 ? 0 : static_cast<unsigned char>(state >> 8);
}

// How many UTF-16 units the code points in `length` bytes of `utf8` at `at` take.
int Utf16Units(const std::string& utf8, std::size_t at, std::size_t length) {
  int units = 0;
  for (const std::size_t end = at + length; at < end;) {
    char32_t point = 0;
    const std::size_t read = ReadCodePoint(utf8, at, point);
    units += point >= 0x10000 ? 2 : 1;
    at += read == 0 ? 1 : read;
  }
  return units;
}

// Reads a line's characters one calculator character at a time, handing `visit` each one
// with where it starts in the line's UTF-16 and how many units it takes there.
template <typename Visit>
void ForEachCharacter(const std::string& utf8, const Visit& visit) {
  int position = 0;
  for (std::size_t at = 0; at < utf8.size();) {
    const DecodedCharacter read = DecodeCharacter(utf8, at);
    const std::size_t length = read.length == 0 ? 1 : read.length;
    const int units = Utf16Units(utf8, at, length);
    visit(read, position, units);
    position += units;
    at += length;
  }
}

// The lines of a pasted text, ended by LF, CRLF or CR; one final line end adds no line.
QStringList PastedLines(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
      .replace(QLatin1Char('\r'), QLatin1Char('\n'));
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  return text.split(QLatin1Char('\n'));
}

}  // namespace

// What the whole text holds, kept up to date by each line's own counts.
struct CalculatorTextDocument::Counts {
  std::size_t codes = 0;  // every line's codes and command code, without the line ends
  int unknown = 0;
};

namespace {

// One line's share of the counts; it takes it back when the line goes.
class LineCounts final : public QTextBlockUserData {
 public:
  LineCounts(std::size_t& codes, int& unknown, std::shared_ptr<void> owner)
      : codes_(codes), unknown_(unknown), owner_(std::move(owner)) {}
  ~LineCounts() override { Set(0, 0); }
  void Set(std::size_t codes, int unknown) {
    codes_ += codes;
    codes_ -= lineCodes_;
    unknown_ += unknown - lineUnknown_;
    lineCodes_ = codes;
    lineUnknown_ = unknown;
  }
  std::size_t Codes() const { return lineCodes_; }

 private:
  std::size_t& codes_;
  int& unknown_;
  std::shared_ptr<void> owner_;  // keeps the totals alive as long as a line counts in them
  std::size_t lineCodes_ = 0;
  int lineUnknown_ = 0;
};

}  // namespace

// Reads each line as it changes: counts its codes and marks what the calculators lack.
class CalculatorTextDocument::Marker final : public QSyntaxHighlighter {
 public:
  Marker(CalculatorTextDocument* document, std::shared_ptr<Counts> counts)
      : QSyntaxHighlighter(document), document_(document), counts_(std::move(counts)) {
    unknown_.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    unknown_.setUnderlineColor(Qt::red);
    unknown_.setBackground(QColor(255, 0, 0, 40));
  }

 protected:
  void highlightBlock(const QString& text) override {
    std::size_t codes = 0;
    int unknown = 0;
    ForEachCharacter(text.toStdString(),
                     [&](const DecodedCharacter& read, int position, int units) {
                       if (read.kind != DecodedCharacter::Kind::Code) {
                         ++unknown;
                         setFormat(position, units, unknown_);
                       }
                       ++codes;
                     });
    if (KindOfState(StateOfBlock(currentBlock()), document_->DefaultKind()) != LineKind::NoCode)
      ++codes;
    auto* line = static_cast<LineCounts*>(currentBlockUserData());
    if (line == nullptr) {
      line = new LineCounts(counts_->codes, counts_->unknown, counts_);
      setCurrentBlockUserData(line);
    }
    line->Set(codes, unknown);
  }

 private:
  CalculatorTextDocument* document_;
  std::shared_ptr<Counts> counts_;
  QTextCharFormat unknown_;
};

QString CharactersOf(const std::string& codes) {
  std::string utf8;
  AppendUtf8(utf8, codes);
  return QString::fromStdString(utf8);
}

CalculatorTextDocument::CalculatorTextDocument(QObject* parent)
    : QTextDocument(parent),
      counts_(std::make_shared<Counts>()),
      marker_(new Marker(this, counts_)) {
  setDocumentLayout(new QPlainTextDocumentLayout(this));
  setDocumentMargin(6);
  connect(this, &QTextDocument::contentsChanged, this, &CalculatorTextDocument::countsChanged);
}

CalculatorTextDocument::~CalculatorTextDocument() = default;

LineKind CalculatorTextDocument::DefaultKind() const {
  return notation_ == Notation::Program ? LineKind::NoCode : LineKind::Ordinary;
}

int CalculatorTextDocument::SetText(const CalculatorText& text, Notation notation) {
  notation_ = notation;
  QStringList lines;
  for (const TextLine& line : text.lines) lines << CharactersOf(line.content);
  setPlainText(lines.join(QLatin1Char('\n')));
  QTextBlock block = firstBlock();
  std::size_t cursorLine = 0;
  std::size_t before = 0;  // the codes of the lines before the cursor's
  bool placed = false;
  for (std::size_t i = 0; i < text.lines.size() && block.isValid(); ++i, block = block.next()) {
    const TextLine& line = text.lines[i];
    SetStateOfBlock(QTextCursor(block), StateOf(line.kind, line.otherCode));
    // A line whose kind has no command code, unlike the default, counts one code less.
    if ((line.kind == LineKind::NoCode) != (DefaultKind() == LineKind::NoCode)) {
      marker_->rehighlightBlock(block);
    }
    const std::size_t length = (line.kind == LineKind::NoCode ? 0 : 1) + line.content.size() + 1;
    if (!placed && before + length <= text.cursor && i + 1 < text.lines.size()) {
      before += length;
      cursorLine = i + 1;
    } else {
      placed = true;
    }
  }
  clearUndoRedoStacks();
  setModified(false);
  emit kindsChanged();
  emit countsChanged();
  // The cursor counts codes from the start of the text, command codes included.
  const TextLine& line = text.lines.at(cursorLine);
  const std::size_t skip = line.kind == LineKind::NoCode ? 0 : 1;
  const std::size_t column =
      std::min(line.content.size(), text.cursor > before + skip ? text.cursor - before - skip : 0);
  return findBlockByNumber(static_cast<int>(cursorLine)).position() +
         static_cast<int>(CharactersOf(line.content.substr(0, column)).size());
}

std::string CalculatorTextDocument::CodesBefore(const QTextCursor& cursor) const {
  std::string codes;
  ForEachCharacter(
      cursor.block().text().left(cursor.positionInBlock()).toStdString(),
      [&codes](const DecodedCharacter& read, int, int) {
        codes += read.kind == DecodedCharacter::Kind::Code ? static_cast<char>(read.code) : '?';
      });
  return codes;
}

CalculatorText CalculatorTextDocument::Text(const QTextCursor& cursor) const {
  CalculatorText text;
  text.lines.clear();
  std::size_t codes = 0;
  for (QTextBlock block = firstBlock(); block.isValid(); block = block.next()) {
    const int state = StateOfBlock(block);
    TextLine& line = text.lines.emplace_back();
    line.kind = KindOfState(state, DefaultKind());
    line.otherCode = line.kind == LineKind::OtherCode ? CodeOfState(state) : 0;
    const std::size_t code = line.kind != LineKind::NoCode;
    // The cursor counts the codes before it from the start of the text, command codes included.
    const bool cursorHere = block == cursor.block();
    const auto placeCursor = [&] {
      text.cursor = static_cast<std::uint16_t>(
          std::min<std::size_t>(0xFFFF, codes + code + line.content.size()));
    };
    int end = 0;
    ForEachCharacter(
        block.text().toStdString(), [&](const DecodedCharacter& read, int position, int units) {
          if (cursorHere && position == cursor.positionInBlock()) placeCursor();
          line.content +=
              read.kind == DecodedCharacter::Kind::Code ? static_cast<char>(read.code) : '?';
          end = position + units;
        });
    if (cursorHere && end <= cursor.positionInBlock()) placeCursor();
    codes += code + line.content.size() + 1;
  }
  return text;
}

LineKind CalculatorTextDocument::KindOfLine(int line) const {
  const QTextBlock block = findBlockByNumber(line);
  return block.isValid() ? KindOfState(StateOfBlock(block), DefaultKind()) : LineKind::NoCode;
}

void CalculatorTextDocument::SetKindOfLine(int line, LineKind kind) {
  QTextBlock block = findBlockByNumber(line);
  if (!block.isValid() || notation_ == Notation::Program || KindOfLine(line) == kind) return;
  // One step of the undo history, which marks the document modified (and not, once undone
  // back to where it was saved).
  QTextCursor cursor(block);
  cursor.beginEditBlock();
  SetStateOfBlock(cursor, StateOf(kind));
  cursor.endEditBlock();
  marker_->rehighlightBlock(block);
  emit kindsChanged();
  emit countsChanged();
}

LineKind CalculatorTextDocument::NextKind(LineKind kind) {
  switch (kind) {
    case LineKind::Ordinary: return LineKind::Command;
    case LineKind::Command: return LineKind::PrintObj;
    case LineKind::PrintObj: return LineKind::PageBreak;
    default: return LineKind::Ordinary;
  }
}

QString CalculatorTextDocument::MarginMark(int line) const {
  switch (KindOfLine(line)) {
    case LineKind::Command: return QStringLiteral("C");
    case LineKind::PrintObj: return QStringLiteral("P");
    case LineKind::OtherCode:
      return QString::fromStdString(
          CharacterOf(CodeOfState(StateOfBlock(findBlockByNumber(line)))));
    default: return {};
  }
}

void CalculatorTextDocument::Paste(QTextCursor& cursor, const QString& pasted) {
  std::vector<TextLine> lines;
  std::vector<QString> kept;
  for (const QString& one : PastedLines(pasted)) {
    const TextImport read = TextFromUtf8(one.toStdString(), notation_);
    TextLine line = read.text.lines.empty() ? TextLine{} : read.text.lines.front();
    QString content = CharactersOf(line.content);
    if (!read.unknown.empty()) {
      const qsizetype mark = one.indexOf(QChar(0x2502));
      content = line.kind == LineKind::Ordinary || notation_ == Notation::Program || mark < 0
                    ? one
                    : one.mid(mark + 1);
    }
    lines.push_back(std::move(line));
    kept.push_back(content);
  }
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) cursor.insertBlock();
    // The first line goes into the current one, which takes its kind only when it was empty.
    if (i > 0 || cursor.block().text().isEmpty()) {
      SetStateOfBlock(cursor, StateOf(lines[i].kind, lines[i].otherCode));
    }
    cursor.insertText(kept[i]);
  }
  cursor.endEditBlock();
  emit kindsChanged();
}

std::size_t CalculatorTextDocument::CodeCount() const {
  return counts_->codes + static_cast<std::size_t>(blockCount() - 1);
}

int CalculatorTextDocument::UnknownCount() const { return counts_->unknown; }

std::optional<QString> CalculatorTextDocument::UnknownAt(int position) const {
  const QTextBlock block = findBlock(position);
  const int offset = position - block.position();
  const QString text = block.text();
  if (!block.isValid() || offset < 0 || offset >= text.size()) return std::nullopt;
  const int units = text.at(offset).isHighSurrogate() && offset + 1 < text.size() ? 2 : 1;
  const QString character = text.mid(offset, units);
  const std::string utf8 = character.toStdString();
  if (DecodeCharacter(utf8, 0).kind == DecodedCharacter::Kind::Code) return std::nullopt;
  return character;
}

}  // namespace orbisk
