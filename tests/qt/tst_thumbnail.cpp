// The thumbnail: a square of the size asked for, the text drawn on a page from the top and
// never past its edges, and the same picture as PNG.
#include <QImage>
#include <QTest>

#include "thumbnail.hpp"

namespace {

// Whether any pixel inside the page's border, down to `lastRow`, is darker than the page,
// as the text's ink is (small sizes draw it thin and grey).
bool HasInk(const QImage& image, int lastRow) {
  const int inside = image.width() / 16 + 2;
  for (int y = 2; y <= lastRow; ++y) {
    for (int x = inside; x < image.width() - inside; ++x) {
      if (qAlpha(image.pixel(x, y)) > 200 && qGray(image.pixel(x, y)) < 200) return true;
    }
  }
  return false;
}

}  // namespace

class TestThumbnail : public QObject {
  Q_OBJECT

 private slots:
  void drawsTheFirstLinesOnAPageOfTheSizeAsked_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("ink");
    QTest::newRow("a line, small") << 32 << QStringList{QStringLiteral("Δ=b²−4·a·c")} << true;
    QTest::newRow("many lines, large")
        << 512 << QStringList(60, QStringLiteral("x→y ≤ ∫θ")) << true;
    QTest::newRow("an empty text") << 128 << QStringList{} << false;
    QTest::newRow("blank lines") << 128 << QStringList(5, QString()) << false;
  }
  void drawsTheFirstLinesOnAPageOfTheSizeAsked() {
    QFETCH(int, size);
    QFETCH(QStringList, lines);
    QFETCH(bool, ink);
    const QImage image = orbisk::DrawThumbnail(lines, size);
    QCOMPARE(image.size(), QSize(size, size));
    // The page leaves a transparent margin at both sides, and ink only inside it.
    QCOMPARE(qAlpha(image.pixel(0, size / 2)), 0);
    QCOMPARE(qAlpha(image.pixel(size - 1, size / 2)), 0);
    QCOMPARE(HasInk(image, size / 3), ink);
    for (int y = 0; y < size; ++y) {
      QVERIFY(qGray(image.pixel(0, y)) >= 100 || qAlpha(image.pixel(0, y)) < 200);
    }
    // The PNG is that picture.
    QImage png;
    QVERIFY(png.loadFromData(orbisk::ThumbnailPng(lines, size), "PNG"));
    QCOMPARE(png.convertToFormat(image.format()), image);
  }
};

QTEST_MAIN(TestThumbnail)
#include "tst_thumbnail.moc"
