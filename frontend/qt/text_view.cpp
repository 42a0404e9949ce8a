// A calculator text shown read-only, line for line as on the calculator.
#include "text_view.hpp"

#include <QPainter>
#include <QTextBlock>

#include "calculator_font.hpp"
#include "charset.hpp"

namespace orbisk {
namespace {

}  // namespace

// The strip left of the text where the marks are painted.
class CalculatorTextView::Margin final : public QWidget {
 public:
  explicit Margin(CalculatorTextView* view) : QWidget(view), view_(view) {}

 protected:
  void paintEvent(QPaintEvent* event) override { view_->PaintMargin(event); }

 private:
  CalculatorTextView* view_;
};

CalculatorTextView::CalculatorTextView(QWidget* parent)
    : QPlainTextEdit(parent), margin_(new Margin(this)) {
  setReadOnly(true);
  setFont(CalculatorFont());
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setViewportMargins(MarginWidth(), 0, 0, 0);
  document()->setDocumentMargin(6);
  connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
    if (dy != 0) {
      margin_->scroll(0, dy);
    } else {
      margin_->update(0, rect.y(), margin_->width(), rect.height());
    }
  });
}

int CalculatorTextView::MarginWidth() const {
  return fontMetrics().horizontalAdvance(QLatin1Char('M')) * 2;
}

void CalculatorTextView::ShowText(const CalculatorText& text) {
  QStringList lines;
  marks_.clear();
  for (const TextLine& line : text.lines) {
    marks_.push_back(line.kind == LineKind::OtherCode
                         ? QString::fromStdString(CharacterOf(line.otherCode))
                         : QString());
    // Codes show as characters, control codes as their pictures: no line end inside a line.
    std::string utf8;
    AppendUtf8(utf8, line.content);
    lines << QString::fromStdString(utf8);
  }
  setPlainText(lines.join(QLatin1Char('\n')));
  QTextBlock block = document()->firstBlock();
  for (const TextLine& line : text.lines) {
    block.setUserState(static_cast<int>(line.kind));
    block = block.next();
  }
  viewport()->update();
  margin_->update();
}

CalculatorTextView::LineKind CalculatorTextView::KindOfLine(int line) const {
  const QTextBlock block = document()->findBlockByNumber(line);
  return block.isValid() ? static_cast<LineKind>(block.userState()) : LineKind::NoCode;
}

QString CalculatorTextView::MarginMark(int line) const {
  switch (KindOfLine(line)) {
    case LineKind::Command: return QStringLiteral("C");
    case LineKind::PrintObj: return QStringLiteral("P");
    case LineKind::OtherCode:
      return line >= 0 && static_cast<std::size_t>(line) < marks_.size()
                 ? marks_[static_cast<std::size_t>(line)]
                 : QString();
    default: return {};
  }
}

void CalculatorTextView::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  const QRect contents = contentsRect();
  margin_->setGeometry(contents.left(), contents.top(), MarginWidth(), contents.height());
}

// The margin's marks, in the colour of text that is there to help rather than to be read.
void CalculatorTextView::PaintMargin(QPaintEvent* event) {
  QPainter painter(margin_);
  painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
  painter.setPen(palette().color(QPalette::PlaceholderText));
  for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
    const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
    if (box.top() > event->rect().bottom()) break;
    const QString mark = MarginMark(block.blockNumber());
    if (!mark.isEmpty() && block.isVisible()) {
      painter.drawText(QRectF(0, box.top(), margin_->width(), fontMetrics().height()),
                       Qt::AlignCenter, mark);
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
    if (static_cast<LineKind>(block.userState()) == LineKind::PageBreak) {
      const qreal y = box.top() + fontMetrics().height() / 2.0;
      const qreal left = block.text().isEmpty()
                             ? 0
                             : fontMetrics().horizontalAdvance(block.text()) + 8;
      painter.drawLine(QPointF(left, y), QPointF(viewport()->width(), y));
    }
  }
}

}  // namespace orbisk
