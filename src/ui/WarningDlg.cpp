#include "ui/WarningDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/FormattedStatic.h"
#include "ui/MarkupPainter.h"

CWarningDlg::CWarningDlg(QWidget* parent)
    : QDialog(parent),
      icon_(new QLabel(this)),
      body_(new CFormattedStatic(this)),
      check_(new QCheckBox(QStringLiteral("&Don't display this warning again."), this)),
      yes_(new QPushButton(QStringLiteral("&Yes"), this)),
      no_(new QPushButton(QStringLiteral("&No"), this)),
      ok_(new QPushButton(QStringLiteral("&OK"), this)) {
  setWindowTitle(QStringLiteral("Warning"));
  SetIcon(QIcon::fromTheme(QStringLiteral("dialog-warning"),
                           QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning)));

  auto* top = new QHBoxLayout;
  top->setSpacing(14);
  top->addWidget(icon_, 0, Qt::AlignTop);
  top->addWidget(body_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(yes_);
  buttons->addWidget(no_);
  buttons->addWidget(ok_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(12);
  layout->addLayout(top);
  layout->addWidget(check_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(yes_, &QPushButton::clicked, this, [this] { done(IDYES); });
  connect(no_, &QPushButton::clicked, this, [this] { done(IDNO); });
  connect(ok_, &QPushButton::clicked, this, [this] { done(IDOK); });
}

void CWarningDlg::SetText(std::string markup) { body_->SetText(std::move(markup)); }
void CWarningDlg::SetIcon(const QIcon& icon) { icon_->setPixmap(icon.pixmap(32, 32)); }
void CWarningDlg::SetCheckValue(bool on) { check_->setChecked(on); }
const std::string& CWarningDlg::Text() const { return body_->Text(); }
bool CWarningDlg::CheckValue() const { return check_->isChecked(); }

int CWarningDlg::DoModal() {
  yes_->setVisible(yesNo_);
  no_->setVisible(yesNo_);
  ok_->setVisible(!yesNo_);
  check_->setVisible(showCheck_);
  (yesNo_ ? yes_ : ok_)->setDefault(true);
  int widest = 0;
  const QFont f = body_->font();
  qv::ui::RenderMarkup(nullptr, body_->Text(), QRect(), {.measureOnly = true, .widthAccumulator = &widest, .font = &f});
  const int width = std::clamp(widest + 4, 260, 520);
  body_->setFixedSize(width, body_->MeasureHeight(width));
  int result = qv::ui::RunModal(*this);
  if (yesNo_) return result == IDYES ? IDYES : IDNO;
  return IDOK;
}

void CWarningDlg::reject() { done(yesNo_ ? IDNO : IDOK); }
