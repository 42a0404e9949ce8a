// A calculator text shown and edited line for line as on the calculator.
#include "text_view.hpp"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QToolTip>

#include "calculator_font.hpp"
#include "charset.hpp"
#include "typed_operators.hpp"
#include "window_texts.hpp"

namespace orbisk {

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

CalculatorTextView::CalculatorTextView(QWidget* parent)
    : QPlainTextEdit(parent), margin_(new Margin(this)), document_(nullptr) {
  SetDocument(new CalculatorTextDocument(this));
  setFont(CalculatorFont());
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  UpdateMarginWidth();
  margin_->setCursor(Qt::PointingHandCursor);
  connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
    if (dy != 0) {
      margin_->scroll(0, dy);
    } else {
      margin_->update(0, rect.y(), margin_->width(), rect.height());
    }
  });
}

CalculatorTextView::~CalculatorTextView() = default;

void CalculatorTextView::SetDocument(CalculatorTextDocument* document) {
  if (document_ != nullptr) disconnect(document_, nullptr, this, nullptr);
  document_ = document;
  // Qt deletes the document shown before when it was this view's own.
  setDocument(document);
  document->setDefaultFont(font());
  connect(document_, &CalculatorTextDocument::kindsChanged, this, &CalculatorTextView::Repaint);
  Repaint();
}

void CalculatorTextView::keyPressEvent(QKeyEvent* event) {
  QPlainTextEdit::keyPressEvent(event);
  const QString typed = event->text();
  if (typed == QLatin1String(">") || typed == QLatin1String("=")) OfferSign();
}

void CalculatorTextView::OfferSign() {
  QTextCursor cursor = textCursor();
  if (isReadOnly() || document_->TextNotation() != Notation::Program || cursor.hasSelection()) {
    return;
  }
  const std::optional<std::string> typed = TypedOperatorAtEnd(document_->CodesBefore(cursor));
  if (!typed) return;
  const QString sign =
      QString::fromStdString(CharacterOf(static_cast<unsigned char>(SignOfTypedOperator(*typed))));
  // The sign goes in first and the pair comes out after it: a removal ends the step, so
  // what is typed next is a step of its own rather than part of this one.
  cursor.beginEditBlock();
  cursor.insertText(sign);
  cursor.movePosition(QTextCursor::Left);
  cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 2);
  cursor.removeSelectedText();
  cursor.movePosition(QTextCursor::Right);
  cursor.endEditBlock();
  setTextCursor(cursor);
  QToolTip::showText(viewport()->mapToGlobal(cursorRect().bottomRight()),
                     texts::SignOffered(QString::fromStdString(*typed), sign), viewport());
}

void CalculatorTextView::Repaint() {
  viewport()->update();
  margin_->update();
}

int CalculatorTextView::MarginWidth() const {
  return fontMetrics().horizontalAdvance(QLatin1Char('M')) * 2;
}

void CalculatorTextView::UpdateMarginWidth() {
  setViewportMargins(MarginWidth(), 0, 0, 0);
  const QRect contents = contentsRect();
  margin_->setGeometry(contents.left(), contents.top(), MarginWidth(), contents.height());
}

void CalculatorTextView::ClickMargin(int y) {
  const QTextBlock block = cursorForPosition(QPoint(0, y)).block();
  if (document_->TextNotation() == Notation::Program || !block.isValid()) return;
  const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
  if (y < box.top() || y > box.bottom()) return;
  const int line = block.blockNumber();
  document_->SetKindOfLine(line, CalculatorTextDocument::NextKind(document_->KindOfLine(line)));
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

void CalculatorTextView::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  QTextCursor cursor = textCursor();
  document_->Paste(cursor, source->text());
  setTextCursor(cursor);
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
    std::optional<QString> unknown = document_->UnknownAt(position);
    if (!unknown && position > 0) unknown = document_->UnknownAt(position - 1);
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
    const QString mark = document_->MarginMark(block.blockNumber());
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
    if (document_->KindOfLine(block.blockNumber()) == LineKind::PageBreak) {
      const qreal y = box.top() + fontMetrics().height() / 2.0;
      const qreal left =
          block.text().isEmpty() ? 0 : fontMetrics().horizontalAdvance(block.text()) + 8;
      painter.drawLine(QPointF(left, y), QPointF(viewport()->width(), y));
    }
  }
}

}  // namespace orbisk
