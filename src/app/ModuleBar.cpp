#include "app/ModuleBar.h"

#include <QButtonGroup>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ModuleTable.h"
#include "ui/Icons.h"

CModuleBar::CModuleBar(QWidget* parent) : QWidget(parent), title_(new QLabel(QStringLiteral("Modules"), this)), group_(new QButtonGroup(this)) {
  setObjectName(QStringLiteral("ModuleBar"));
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(2);
  title_->setAlignment(Qt::AlignCenter);
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);
  title_->setAutoFillBackground(true);
  title_->setBackgroundRole(QPalette::Button);
  title_->setMargin(3);
  layout->addWidget(title_);
  group_->setExclusive(true);
  for (int i = 0; i < kModuleCount; ++i) {
    auto* item = new QToolButton(this);
    item->setText(QString::fromLatin1(kModules[static_cast<size_t>(i)].name));
    item->setIcon(qv::ui::ResourceIcon(kModules[static_cast<size_t>(i)].icon));
    item->setCheckable(true);
    item->setAutoRaise(true);
    item->setFocusPolicy(Qt::NoFocus);
    item->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    group_->addButton(item, i);
    items_.append(item);
    layout->addWidget(item);
  }
  layout->addStretch();
  setFixedWidth(kWidth + 20);
  connect(group_, &QButtonGroup::idClicked, this, &CModuleBar::moduleClicked);
  SetCompact(false);
  SetToolTipsEnabled(true);
}

void CModuleBar::SetCurrent(int index) {
  if (index >= 0 && index < items_.size()) items_[index]->setChecked(true);
}

int CModuleBar::Current() const { return group_->checkedId(); }

QToolButton* CModuleBar::Item(int index) const { return items_.value(index); }

void CModuleBar::SetCompact(bool compact) {
  compact_ = compact;
  for (auto* item : items_) {
    item->setToolButtonStyle(compact ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonTextUnderIcon);
    item->setIconSize(compact ? QSize(16, 16) : QSize(32, 32));
    // Long names wrap onto two lines under a large icon.
    QString text = item->text();
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (!compact && text.contains(QLatin1Char(' ')) && item->fontMetrics().horizontalAdvance(text) > kWidth - 4) {
      const int mid = static_cast<int>(text.size() / 2);
      int split = static_cast<int>(text.lastIndexOf(QLatin1Char(' '), mid));
      const int right = static_cast<int>(text.indexOf(QLatin1Char(' '), mid));
      if (split < 0 || (right >= 0 && right - mid < mid - split)) split = right;
      text[split] = QLatin1Char('\n');
    }
    item->setText(text);
    item->setMinimumHeight(compact ? 24 : 0);
  }
}

void CModuleBar::SetToolTipsEnabled(bool on) {
  toolTips_ = on;
  for (int i = 0; i < items_.size(); ++i) {
    QString tip = QString::fromLatin1(kModules[static_cast<size_t>(i)].toolTip);
    tip.replace(QStringLiteral("%i"), QString::number(i + 1));
    items_[i]->setToolTip(on ? tip : QString());
  }
}
