#include "ui/ModuleStatusBar.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
QColor Lighten(QColor c, double amount) {
  auto up = [amount](int v) { return static_cast<int>(v + amount * (255 - v)); };
  return QColor(up(c.red()), up(c.green()), up(c.blue()));
}
}  // namespace

CModuleStatusBar::CModuleStatusBar(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::PointingHandCursor);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setToolTip(kLinkText);
}

void CModuleStatusBar::SetText(const QString& text) {
  text_ = text;
  update();
}

QSize CModuleStatusBar::sizeHint() const { return {300, fontMetrics().height() + 10}; }
QSize CModuleStatusBar::minimumSizeHint() const { return {100, fontMetrics().height() + 10}; }

void CModuleStatusBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Lighten(palette().color(QPalette::Button), 0.35));
  p.setPen(Lighten(palette().color(QPalette::Highlight), 0.25));
  p.drawRect(rect().adjusted(0, 0, -1, -1));

  const QRect inner = rect().adjusted(10, 0, -10, 0);
  const int linkWidth = fontMetrics().horizontalAdvance(kLinkText);
  p.setPen(QColor(0, 0, 255));
  p.drawText(inner, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, kLinkText);

  QRect textRect = inner;
  textRect.setRight(inner.right() - linkWidth - 16);
  if (textRect.width() <= 0) return;
  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
             fontMetrics().elidedText(text_, Qt::ElideMiddle, textRect.width()));
}

void CModuleStatusBar::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit helpRequested();
}
