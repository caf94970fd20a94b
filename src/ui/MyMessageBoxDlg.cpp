#include "ui/MyMessageBoxDlg.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Banner.h"
#include "ui/FormattedStatic.h"
#include "ui/Icons.h"
#include "ui/MarkupPainter.h"

CMyMessageBoxDlg::CMyMessageBoxDlg(QWidget* parent)
    : QDialog(parent),
      banner_(new CBanner(QIcon(), QString(), QString(), this)),
      body_(new CFormattedStatic(this)),
      check_(new QCheckBox(QStringLiteral("Show this warning in the future"), this)),
      help_(new QPushButton(QStringLiteral("&Help"), this)),
      yes_(new QPushButton(QStringLiteral("&Yes"), this)),
      no_(new QPushButton(QStringLiteral("&No"), this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)) {
  check_->setChecked(true);
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(check_);
  buttons->addStretch();
  buttons->addWidget(help_);
  buttons->addWidget(yes_);
  buttons->addWidget(no_);
  buttons->addWidget(ok_);

  auto* body = new QVBoxLayout;
  body->setContentsMargins(16, 12, 16, 4);
  body->addWidget(body_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 12);
  layout->setSpacing(8);
  layout->addWidget(banner_);
  layout->addLayout(body);
  auto* rest = new QVBoxLayout;
  rest->setContentsMargins(12, 0, 12, 0);
  rest->addWidget(line);
  rest->addLayout(buttons);
  layout->addLayout(rest);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(yes_, &QPushButton::clicked, this, [this] { done(IDYES); });
  connect(no_, &QPushButton::clicked, this, [this] { done(IDNO); });
  connect(ok_, &QPushButton::clicked, this, [this] { done(IDOK); });
  connect(help_, &QPushButton::clicked, this, [this] { qv::ui::OpenHelpTopic(helpTopic_, this); });
}

void CMyMessageBoxDlg::SetCaption(const QString& caption) { setWindowTitle(caption); }
void CMyMessageBoxDlg::SetHeading(const QString& heading) { banner_->SetHeading(heading); }
void CMyMessageBoxDlg::SetSubHeading(const QString& subHeading) { banner_->SetSubHeading(subHeading); }
void CMyMessageBoxDlg::SetText(std::string markup) { body_->SetText(std::move(markup)); }
void CMyMessageBoxDlg::SetIcon(int resourceId) {
  banner_->SetIcon(resourceId ? qv::ui::ResourceIcon(resourceId) : QIcon());
}
void CMyMessageBoxDlg::SetCheckValue(bool on) { check_->setChecked(on); }
const std::string& CMyMessageBoxDlg::Text() const { return body_->Text(); }
QString CMyMessageBoxDlg::Heading() const { return banner_->Heading(); }
QString CMyMessageBoxDlg::SubHeading() const { return banner_->SubHeading(); }
bool CMyMessageBoxDlg::CheckValue() const { return check_->isChecked(); }

void CMyMessageBoxDlg::Arrange() {
  const bool yesNo = buttons_ == kYesNo;
  yes_->setVisible(yesNo);
  no_->setVisible(yesNo);
  ok_->setVisible(!yesNo);
  help_->setVisible(!helpTopic_.isEmpty());
  check_->setVisible(showCheck_);
  (yesNo ? yes_ : ok_)->setDefault(true);

  // The body keeps a comfortable reading width and grows downwards with its text.
  int widest = 0;
  const QFont f = body_->font();
  qv::ui::RenderMarkup(nullptr, body_->Text(), QRect(), {.measureOnly = true, .widthAccumulator = &widest, .font = &f});
  const int width = std::clamp(widest + 4, 340, 560);
  body_->setFixedSize(width, body_->MeasureHeight(width) + 8);
}

int CMyMessageBoxDlg::DoModal() {
  Arrange();
  int result = qv::ui::RunModal(*this);
  if (buttons_ == kYesNo) return result == IDYES ? IDYES : IDNO;
  return IDOK;
}

void CMyMessageBoxDlg::reject() {
  if (!closable_) return;
  done(buttons_ == kYesNo ? IDNO : IDOK);
}
