// A small picture of a calculator text for file managers.
#include "thumbnail.hpp"

#include <QBuffer>
#include <QPainter>
#include <algorithm>

#include "calculator_font.hpp"

namespace orbisk {
namespace {

// Twelve lines on the page whatever the size, as a page of the calculator's screen holds
// about that many; the page leaves a margin, as the file managers' own pictures do.
constexpr int kLinesShown = 12;

}  // namespace

QImage DrawThumbnail(const QStringList& lines, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const int margin = std::max(1, size / 16);
  const QRectF page(margin + 0.5, 0.5, size - 2 * margin - 1.0, size - 1.0);
  painter.setPen(QPen(QColor(0x88, 0x8a, 0x85), 1));
  painter.setBrush(QColor(0xf4, 0xf6, 0xee));  // the pale green-grey of the screens
  painter.drawRect(page);
  QFont font = CalculatorFont();
  font.setPixelSize(std::max(4, (size - 2 * margin) / (kLinesShown + 1)));
  painter.setFont(font);
  painter.setPen(QColor(0x20, 0x24, 0x1c));
  const QFontMetrics metrics(font);
  const int left = margin + std::max(2, size / 24);
  painter.setClipRect(page.adjusted(1, 1, -1, -1));  // a long line ends at the page's edge
  int baseline = margin + metrics.ascent();
  for (const QString& line : lines) {
    if (baseline + metrics.descent() > size - margin / 2) break;
    painter.drawText(left, baseline, line);
    baseline += metrics.lineSpacing();
  }
  painter.end();
  return image;
}

QByteArray ThumbnailPng(const QStringList& lines, int size) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  DrawThumbnail(lines, size).save(&buffer, "PNG");
  return png;
}

}  // namespace orbisk
