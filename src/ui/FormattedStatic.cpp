#include "ui/FormattedStatic.h"

#include <QEvent>
#include <QPainter>

#include "ui/MarkupPainter.h"

CFormattedStatic::CFormattedStatic(QWidget* parent) : QWidget(parent) {
  QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
}

void CFormattedStatic::SetText(std::string markup) {
  text_ = std::move(markup);
  updateGeometry();
  update();
}

int CFormattedStatic::MeasureHeight(int width) const {
  const QFont f = font();
  return qv::ui::RenderMarkup(nullptr, text_, QRect(0, 0, width, 0), {.measureOnly = true, .font = &f});
}

int CFormattedStatic::heightForWidth(int width) const { return MeasureHeight(width); }

QSize CFormattedStatic::sizeHint() const {
  const int width = std::max(200, fontMetrics().averageCharWidth() * 60);
  return {width, MeasureHeight(width)};
}

QSize CFormattedStatic::minimumSizeHint() const { return {50, 0}; }

void CFormattedStatic::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFont f = font();
  if (isEnabled()) {
    p.setPen(palette().color(QPalette::Active, QPalette::WindowText));
    qv::ui::RenderMarkup(&p, text_, rect(), {.font = &f});
    return;
  }
  p.setPen(palette().color(QPalette::Light));
  qv::ui::RenderMarkup(&p, text_, rect().translated(1, 1), {.ignoreColors = true, .font = &f});
  p.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
  qv::ui::RenderMarkup(&p, text_, rect(), {.ignoreColors = true, .font = &f});
}

void CFormattedStatic::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) {
    updateGeometry();
    update();
  }
  QWidget::changeEvent(event);
}
