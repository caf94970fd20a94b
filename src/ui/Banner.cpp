#include "ui/Banner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CBanner::CBanner(const QIcon& icon, const QString& heading, const QString& subHeading, QWidget* parent)
    : QWidget(parent), icon_(new QLabel(this)), heading_(new QLabel(this)), subHeading_(new QLabel(this)) {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  pal.setColor(QPalette::WindowText, Qt::black);
  setPalette(pal);
  // Texts here are plain: a heading never turns into rich text by accident.
  heading_->setTextFormat(Qt::PlainText);
  subHeading_->setTextFormat(Qt::PlainText);
  QFont bold = heading_->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.15);
  heading_->setFont(bold);
  subHeading_->setWordWrap(true);
  icon_->setFixedSize(48, 48);

  auto* texts = new QVBoxLayout;
  texts->setSpacing(2);
  texts->addStretch();
  texts->addWidget(heading_);
  texts->addWidget(subHeading_);
  texts->addStretch();
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(12, 10, 12, 10);
  row->setSpacing(12);
  row->addWidget(icon_, 0, Qt::AlignVCenter);
  row->addLayout(texts, 1);
  SetIcon(icon);
  SetHeading(heading);
  SetSubHeading(subHeading);
}

void CBanner::SetIcon(const QIcon& icon) {
  icon_->setPixmap(icon.pixmap(48, 48));
  icon_->setVisible(!icon.isNull());
}
void CBanner::SetHeading(const QString& heading) {
  heading_->setText(heading);
  heading_->setVisible(!heading.isEmpty());
}
void CBanner::SetSubHeading(const QString& subHeading) {
  subHeading_->setText(subHeading);
  subHeading_->setVisible(!subHeading.isEmpty());
}
QString CBanner::Heading() const { return heading_->text(); }
QString CBanner::SubHeading() const { return subHeading_->text(); }
