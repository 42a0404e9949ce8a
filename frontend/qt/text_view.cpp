// A calculator text shown and edited line for line as on the calculator.
#include "text_view.hpp"

#include <QHelpEvent>
#include <QMimeData>
#include <QPainter>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QToolTip>

#include "calculator_font.hpp"
#include "charset.hpp"
#include "window_texts.hpp"

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
struct CalculatorTextView::Counts {
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
class CalculatorTextView::Marker final : public QSyntaxHighlighter {
 public:
  Marker(CalculatorTextView* view, std::shared_ptr<Counts> counts)
      : QSyntaxHighlighter(view->document()), view_(view), counts_(std::move(counts)) {
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
    if (KindOfState(StateOfBlock(currentBlock()), view_->DefaultKind()) != LineKind::NoCode)
      ++codes;
    auto* line = static_cast<LineCounts*>(currentBlockUserData());
    if (line == nullptr) {
      line = new LineCounts(counts_->codes, counts_->unknown, counts_);
      setCurrentBlockUserData(line);
    }
    line->Set(codes, unknown);
  }

 private:
  CalculatorTextView* view_;
  std::shared_ptr<Counts> counts_;
  QTextCharFormat unknown_;
};

// The strip left of the text where the marks are painted, and clicked.
class CalculatorTextView::Margin final : public QWidget {
 public:
  explicit Margin(CalculatorTextView* view) : QWidget(view), view_(view) {}

 protected:
  void paintEvent(QPaintEvent* event) override { view_->PaintMargin(event); }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) view_->ClickMargin(event->position().toPoint().y());
  }

 private:
  CalculatorTextView* view_;
};

QString CharactersOf(const std::string& codes) {
  std::string utf8;
  AppendUtf8(utf8, codes);
  return QString::fromStdString(utf8);
}

CalculatorTextView::CalculatorTextView(QWidget* parent)
    : QPlainTextEdit(parent),
      margin_(new Margin(this)),
      counts_(std::make_shared<Counts>()),
      marker_(new Marker(this, counts_)) {
  setFont(CalculatorFont());
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  UpdateMarginWidth();
  document()->setDocumentMargin(6);
  margin_->setCursor(Qt::PointingHandCursor);
  connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
    if (dy != 0) {
      margin_->scroll(0, dy);
    } else {
      margin_->update(0, rect.y(), margin_->width(), rect.height());
    }
  });
  connect(document(), &QTextDocument::contentsChanged, this, &CalculatorTextView::countsChanged);
}

CalculatorTextView::~CalculatorTextView() = default;

int CalculatorTextView::MarginWidth() const {
  return fontMetrics().horizontalAdvance(QLatin1Char('M')) * 2;
}

void CalculatorTextView::UpdateMarginWidth() {
  setViewportMargins(MarginWidth(), 0, 0, 0);
  const QRect contents = contentsRect();
  margin_->setGeometry(contents.left(), contents.top(), MarginWidth(), contents.height());
}

LineKind CalculatorTextView::DefaultKind() const {
  return notation_ == Notation::Program ? LineKind::NoCode : LineKind::Ordinary;
}

void CalculatorTextView::ShowText(const CalculatorText& text, Notation notation) {
  notation_ = notation;
  QStringList lines;
  for (const TextLine& line : text.lines) lines << CharactersOf(line.content);
  setPlainText(lines.join(QLatin1Char('\n')));
  QTextBlock block = document()->firstBlock();
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
  // The cursor counts codes from the start of the text, command codes included.
  const TextLine& line = text.lines.at(cursorLine);
  const std::size_t skip = line.kind == LineKind::NoCode ? 0 : 1;
  const std::size_t column =
      std::min(line.content.size(), text.cursor > before + skip ? text.cursor - before - skip : 0);
  QTextCursor cursor(document()->findBlockByNumber(static_cast<int>(cursorLine)));
  cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor,
                      static_cast<int>(CharactersOf(line.content.substr(0, column)).size()));
  setTextCursor(cursor);
  document()->clearUndoRedoStacks();
  document()->setModified(false);
  viewport()->update();
  margin_->update();
  emit countsChanged();
}

CalculatorText CalculatorTextView::Text() const {
  CalculatorText text;
  text.lines.clear();
  const QTextCursor cursor = textCursor();
  std::size_t codes = 0;
  for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
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

LineKind CalculatorTextView::KindOfLine(int line) const {
  const QTextBlock block = document()->findBlockByNumber(line);
  return block.isValid() ? KindOfState(StateOfBlock(block), DefaultKind()) : LineKind::NoCode;
}

void CalculatorTextView::SetKindOfLine(int line, LineKind kind) {
  QTextBlock block = document()->findBlockByNumber(line);
  if (!block.isValid() || notation_ == Notation::Program || KindOfLine(line) == kind) return;
  // One step of the undo history, which marks the document modified (and not, once undone
  // back to where it was saved).
  QTextCursor cursor(block);
  cursor.beginEditBlock();
  SetStateOfBlock(cursor, StateOf(kind));
  cursor.endEditBlock();
  marker_->rehighlightBlock(block);
  viewport()->update();
  margin_->update();
  emit countsChanged();
}

LineKind CalculatorTextView::NextKind(LineKind kind) {
  switch (kind) {
    case LineKind::Ordinary: return LineKind::Command;
    case LineKind::Command: return LineKind::PrintObj;
    case LineKind::PrintObj: return LineKind::PageBreak;
    default: return LineKind::Ordinary;
  }
}

QString CalculatorTextView::MarginMark(int line) const {
  switch (KindOfLine(line)) {
    case LineKind::Command: return QStringLiteral("C");
    case LineKind::PrintObj: return QStringLiteral("P");
    case LineKind::OtherCode:
      return QString::fromStdString(
          CharacterOf(CodeOfState(StateOfBlock(document()->findBlockByNumber(line)))));
    default: return {};
  }
}

std::size_t CalculatorTextView::CodeCount() const {
  return counts_->codes + static_cast<std::size_t>(document()->blockCount() - 1);
}

int CalculatorTextView::UnknownCount() const { return counts_->unknown; }

std::optional<QString> CalculatorTextView::UnknownAt(int position) const {
  const QTextBlock block = document()->findBlock(position);
  const int offset = position - block.position();
  const QString text = block.text();
  if (!block.isValid() || offset < 0 || offset >= text.size()) return std::nullopt;
  const int units = text.at(offset).isHighSurrogate() && offset + 1 < text.size() ? 2 : 1;
  const QString character = text.mid(offset, units);
  const std::string utf8 = character.toStdString();
  if (DecodeCharacter(utf8, 0).kind == DecodedCharacter::Kind::Code) return std::nullopt;
  return character;
}

void CalculatorTextView::ClickMargin(int y) {
  const QTextBlock block = cursorForPosition(QPoint(0, y)).block();
  if (notation_ == Notation::Program || !block.isValid()) return;
  const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
  if (y < box.top() || y > box.bottom()) return;
  SetKindOfLine(block.blockNumber(), NextKind(KindOfLine(block.blockNumber())));
}

void CalculatorTextView::ZoomBy(int steps) {
  zoomIn(steps);
  UpdateMarginWidth();
}

void CalculatorTextView::ResetZoom() {
  setFont(CalculatorFont());
  UpdateMarginWidth();
}

bool CalculatorTextView::canInsertFromMimeData(const QMimeData* source) const {
  return source->hasText();
}

// A pasted text is read as a text file is, its lines' marks ("C│") giving their kinds;
// its characters the calculators lack are kept, and marked, until the text is saved.
void CalculatorTextView::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  std::vector<TextLine> lines;
  std::vector<QString> kept;
  for (const QString& pasted : PastedLines(source->text())) {
    const TextImport read = TextFromUtf8(pasted.toStdString(), notation_);
    TextLine line = read.text.lines.empty() ? TextLine{} : read.text.lines.front();
    QString content = CharactersOf(line.content);
    if (!read.unknown.empty()) {
      const qsizetype mark = pasted.indexOf(QChar(0x2502));
      content = line.kind == LineKind::Ordinary || notation_ == Notation::Program || mark < 0
                    ? pasted
                    : pasted.mid(mark + 1);
    }
    lines.push_back(std::move(line));
    kept.push_back(content);
  }
  QTextCursor cursor = textCursor();
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
  setTextCursor(cursor);
  viewport()->update();
  margin_->update();
}

void CalculatorTextView::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  UpdateMarginWidth();
}

// Hovering a character the calculators do not have says what becomes of it.
bool CalculatorTextView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const int position = cursorForPosition(help->pos()).position();
    std::optional<QString> unknown = UnknownAt(position);
    if (!unknown && position > 0) unknown = UnknownAt(position - 1);
    if (unknown) {
      QToolTip::showText(help->globalPos(), texts::UnknownCharacterTip(*unknown), this);
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QPlainTextEdit::viewportEvent(event);
}

// The margin's marks, in the colour of text that is there to help rather than to be read;
// a line that wraps has a hook on each of its continuations.
void CalculatorTextView::PaintMargin(QPaintEvent* event) {
  QPainter painter(margin_);
  painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
  painter.setPen(palette().color(QPalette::PlaceholderText));
  const qreal lineHeight = fontMetrics().height();
  for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
    const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
    if (box.top() > event->rect().bottom()) break;
    if (!block.isVisible()) continue;
    const QString mark = MarginMark(block.blockNumber());
    if (!mark.isEmpty()) {
      painter.drawText(QRectF(0, box.top(), margin_->width(), lineHeight), Qt::AlignCenter, mark);
    }
    const QTextLayout* layout = block.layout();
    for (int i = 1; layout != nullptr && i < layout->lineCount(); ++i) {
      const qreal y = box.top() + layout->lineAt(i).y();
      painter.drawText(QRectF(0, y, margin_->width(), lineHeight), Qt::AlignCenter,
                       texts::ContinuationMark());
    }
  }
}

// Page breaks are drawn as a dotted rule across the text, where the calculator breaks.
void CalculatorTextView::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);
  QPainter painter(viewport());
  QPen rule(palette().color(QPalette::PlaceholderText), 1, Qt::DashLine);
  painter.setPen(rule);
  for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
    const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
    if (box.top() > event->rect().bottom()) break;
    if (KindOfState(StateOfBlock(block), DefaultKind()) == LineKind::PageBreak) {
      const qreal y = box.top() + fontMetrics().height() / 2.0;
      const qreal left =
          block.text().isEmpty() ? 0 : fontMetrics().horizontalAdvance(block.text()) + 8;
      painter.drawLine(QPointF(left, y), QPointF(viewport()->width(), y));
    }
  }
}

}  // namespace orbisk
