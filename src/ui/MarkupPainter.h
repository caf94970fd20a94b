#pragma once
// Draws markup text (see Markup.h) into a rectangle, wrapping at blanks, and returns the height
// it used. Every markup display of the program goes through this one function.
//
//   int h = qv::ui::RenderMarkup(nullptr, text, QRect(0, 0, width, 0), {.measureOnly = true});
//   qv::ui::RenderMarkup(&painter, text, rect());
#include <string_view>

#include <QFont>
#include <QRect>

class QPainter;

namespace qv::ui {

struct MarkupRenderOptions {
  bool ignoreColors = false;  // draw everything in the painter's pen colour
  bool measureOnly = false;   // advance positions only; the painter may be null
  // When set: lay the text out without wrapping and store the widest line's width here.
  int* widthAccumulator = nullptr;
  const QFont* font = nullptr;  // default: the application font
};

// A rectangle of height 0 has no height limit. Returns the pixels from rect.top() to the bottom
// of the last line; 0 for an empty text.
int RenderMarkup(QPainter* painter, std::string_view markup, const QRect& rect,
                 const MarkupRenderOptions& options = {});

}  // namespace qv::ui
