#include "ui/HyperlinkStatic.h"

#include <QMouseEvent>
#include <QPainter>

CHyperlinkStatic::CHyperlinkStatic(QString text, QWidget* parent) : QWidget(parent), text_(std::move(text)) {
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
}

void CHyperlinkStatic::SetText(const QString& text) {
  text_ = text;
  updateGeometry();
  update();
}

QSize CHyperlinkStatic::sizeHint() const {
  return {fontMetrics().horizontalAdvance(text_) + 2, fontMetrics().height() + 2};
}

void CHyperlinkStatic::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QColor(0, 0, 255));
  p.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text_, &textRect_);
}

void CHyperlinkStatic::mouseMoveEvent(QMouseEvent* event) {
  if (textRect_.contains(event->position().toPoint())) setCursor(Qt::PointingHandCursor);
  else unsetCursor();
}

void CHyperlinkStatic::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && textRect_.contains(event->position().toPoint())) emit clicked();
}
