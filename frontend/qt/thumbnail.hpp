// A small picture of a calculator text for file managers: its first lines on a page, in
// the calculators' characters. Drawn into an image, so no display is needed.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QStringList>

namespace orbisk {

// A `size` by `size` picture of the first of `lines` that fit.
QImage DrawThumbnail(const QStringList& lines, int size);
// The same as PNG.
QByteArray ThumbnailPng(const QStringList& lines, int size);

}  // namespace orbisk
