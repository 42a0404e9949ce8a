// Positions given in twips (1/1440 inch), turned into pixels at a given logical DPI.
#pragma once

#include <QRect>

namespace orbisk {

constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(int twips, qreal dotsPerInch) {
  return qRound(twips * dotsPerInch / kTwipsPerInch);
}

struct TwipsRect {
  int left;
  int top;
  int width;
  int height;

  // Edges are rounded, not sizes, so neighbours that touch in twips touch in pixels.
  QRect ToPixels(qreal dpiX, qreal dpiY) const {
    const int x = TwipsToPixels(left, dpiX);
    const int y = TwipsToPixels(top, dpiY);
    return QRect(x, y, TwipsToPixels(left + width, dpiX) - x,
                 TwipsToPixels(top + height, dpiY) - y);
  }
};

}  // namespace orbisk
