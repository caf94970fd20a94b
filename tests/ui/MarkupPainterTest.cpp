#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "ui/FormattedStatic.h"
#include "ui/MarkupPainter.h"

using qv::ui::RenderMarkup;

namespace {
int Measure(const std::string& text, int width, int* widest = nullptr) {
  return RenderMarkup(nullptr, text, QRect(0, 0, width, 0), {.measureOnly = true, .widthAccumulator = widest});
}
int LineHeight() { return Measure("x", 1000); }
}  // namespace

TEST(MarkupPainter, HeightsOfLinesAndWraps) {
  const int line = LineHeight();
  ASSERT_GT(line, 0);
  EXPECT_EQ(Measure("", 500), 0);
  EXPECT_EQ(Measure("a\nb\nc", 1000), 3 * line);
  EXPECT_EQ(Measure("a\n\nc", 1000), 3 * line);
  // Wrapping happens at the blank, and the blank does not start the next line.
  const int w = QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("word word"));
  EXPECT_EQ(Measure("word word", w + 2), line);
  EXPECT_EQ(Measure("word word", w - 2), 2 * line);
  // A single word wider than the rectangle is broken inside the word.
  EXPECT_GE(Measure("abcdefghijklmnopqrstuvwxyz", 40), 3 * line);
  // A width too small for one character still gives one character per line.
  EXPECT_EQ(Measure("abc", 1), 3 * line);
}

TEST(MarkupPainter, WidthAccumulatorMeasuresUnwrappedLines) {
  int widest = 0;
  EXPECT_EQ(Measure("short\nthe longer line", 10, &widest), 2 * LineHeight());
  EXPECT_EQ(widest, QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("the longer line")));
}

TEST(MarkupPainter, DrawsColoursAndStopsAtTheBottom) {
  QImage image(200, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setPen(Qt::black);
  int used = RenderMarkup(&p, "<C 255,0,0>MMMM</C>\nsecond\nthird\nfourth\nfifth", QRect(0, 0, 200, 20));
  p.end();
  EXPECT_LT(used, 5 * LineHeight());
  bool red = false;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      QColor c = image.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 80 && c.blue() < 80) red = true;
    }
  EXPECT_TRUE(red);
}

TEST(FormattedStatic, DisabledDrawsColouredTextGrey) {
  CFormattedStatic label;
  label.SetText("<C 255,0,0>MMMMMMMM</C>");
  label.resize(200, 30);
  auto hasRed = [](const QImage& img) {
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        QColor c = img.pixelColor(x, y);
        if (c.red() > 180 && c.green() < 100 && c.blue() < 100) return true;
      }
    return false;
  };
  EXPECT_TRUE(hasRed(label.grab().toImage()));
  label.setEnabled(false);
  EXPECT_FALSE(hasRed(label.grab().toImage()));
}
