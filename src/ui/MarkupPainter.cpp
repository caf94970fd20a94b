#include "ui/MarkupPainter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <array>
#include <vector>

#include "ui/Markup.h"

namespace qv::ui {
namespace {

struct Glyph {
  QString text;  // one character (two UTF-16 units for a surrogate pair)
  int font = 0;  // index into the four fonts: bit 0 bold, bit 1 italic
  std::optional<MarkupColor> color;
  int width = 0;
  bool isBlank() const { return text == QLatin1String(" ") || text == QLatin1String("\t"); }
  bool isBreak() const { return text == QLatin1String("\n"); }
};

}  // namespace

int RenderMarkup(QPainter* painter, std::string_view markup, const QRect& rect,
                 const MarkupRenderOptions& options) {
  if (markup.empty()) return 0;
  const bool draw = !options.measureOnly && painter;
  const QFont base = options.font ? *options.font : QApplication::font();

  std::array<QFont, 4> fonts;
  for (int i = 0; i < 4; ++i) {
    fonts[i] = base;
    fonts[i].setWeight((i & 1) ? QFont::Bold : base.weight());
    fonts[i].setItalic((i & 2) != 0);
  }
  std::array<QFontMetrics, 4> metrics{QFontMetrics(fonts[0]), QFontMetrics(fonts[1]),
                                      QFontMetrics(fonts[2]), QFontMetrics(fonts[3])};

  std::vector<Glyph> glyphs;
  for (const auto& run : ParseMarkup(markup, options.ignoreColors)) {
    const int f = (run.bold ? 1 : 0) | (run.italic ? 2 : 0);
    const QString text = QString::fromUtf8(run.text.data(), static_cast<qsizetype>(run.text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
      Glyph g;
      g.font = f;
      g.color = run.color;
      if (text[i].isHighSurrogate() && i + 1 < text.size()) {
        g.text = text.mid(i, 2);
        ++i;
      } else {
        g.text = text.mid(i, 1);
      }
      g.width = g.isBreak() ? 0 : metrics[f].horizontalAdvance(g.text);
      glyphs.push_back(std::move(g));
    }
  }

  const bool wrap = options.widthAccumulator == nullptr;
  const bool limited = rect.height() > 0 && !options.measureOnly;
  QColor deviceColor;
  QFont deviceFont;
  if (draw) {
    painter->save();
    deviceColor = painter->pen().color();
    deviceFont = painter->font();
    painter->setClipRect(rect.adjusted(-1, -1, 1, 1), Qt::IntersectClip);
  }

  int y = rect.top();
  size_t i = 0;
  while (i < glyphs.size()) {
    if (limited && y > rect.bottom()) break;
    // Leading blanks of a line are not drawn.
    while (i < glyphs.size() && glyphs[i].isBlank()) ++i;
    size_t start = i, end = i, next = i;
    int x = 0;
    size_t lastBlank = SIZE_MAX;
    bool hardBreak = false;
    for (; end < glyphs.size(); ++end) {
      const Glyph& g = glyphs[end];
      if (g.isBreak()) {
        hardBreak = true;
        break;
      }
      if (wrap && end > start && x + g.width > rect.width()) break;
      if (g.isBlank()) lastBlank = end;
      x += g.width;
    }
    if (hardBreak) {
      next = end + 1;
    } else if (end < glyphs.size()) {  // the line is full
      if (lastBlank != SIZE_MAX) {
        end = lastBlank + 1;
        next = end;
      } else {
        next = end;
      }
    } else {
      next = end;
    }

    int ascent = 0, descent = 0;
    for (size_t k = start; k < end; ++k) {
      ascent = std::max(ascent, metrics[glyphs[k].font].ascent());
      descent = std::max(descent, metrics[glyphs[k].font].descent());
    }
    if (start == end) {  // an empty line still takes the height of the normal font
      ascent = metrics[0].ascent();
      descent = metrics[0].descent();
    }
    const int lineHeight = ascent + descent + 1;

    int lineWidth = 0;
    for (size_t k = start; k < end; ++k) {
      const Glyph& g = glyphs[k];
      if (draw) {
        painter->setFont(fonts[g.font]);
        painter->setPen(g.color ? QColor(g.color->r, g.color->g, g.color->b) : deviceColor);
        painter->drawText(rect.left() + lineWidth, y + ascent, g.text);
      }
      lineWidth += g.width;
    }
    if (options.widthAccumulator) *options.widthAccumulator = std::max(*options.widthAccumulator, lineWidth);
    y += lineHeight;
    i = next;
  }

  if (draw) {
    painter->setFont(deviceFont);
    painter->setPen(deviceColor);
    painter->restore();
  }
  return y - rect.top();
}

}  // namespace qv::ui
