#include "app/FirstRunDlg.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Banner.h"
#include "ui/Desktop.h"
#include "ui/FormattedStatic.h"
#include "ui/Icons.h"
#include "ui/Markup.h"

const char* const CFirstRunDlg::kWelcomeText =
    "<B>Welcome,</B>%\nThis is the first time you run Ambrel Quorvel version %1.%\n<C 192,0,0>Click the \"No "
    "Warranty...\" button below for the <B>No Warranty Agreement!</B></C>%\n%\n<B>Note on Find And Replace:</B>%\n"
    "Quorvel will always create a backup file before starting to process a file. This backup file has the same "
    "name as the original file but \".backup\" or \".x.backup\" is appended to the end of the filename. (x is a "
    "number). So, in case of a failure during the replace process, you can always rename the backup file back to "
    "the original filename. When Quorvel has successfully processed the file, the backup will be <B>deleted</B> "
    "unless you have enabled the option \"Keep backup files\".%\n%\nIf you find a bug in Quorvel, you can report "
    "it to us by using the \"bug report\" item in the Help-menu.";

CFirstRunDlg::CFirstRunDlg(const std::string& version, QWidget* parent) : QDialog(parent), body_(new CFormattedStatic(this)) {
  setWindowTitle(QStringLiteral("Quorvel"));
  auto* banner = new CBanner(qv::ui::ResourceIcon(128), QStringLiteral("Quorvel"), QString(), this);
  body_->SetText(qv::ui::FormatMessageText(kWelcomeText, {qv::ui::EscapeMarkup(version)}));
  const int width = 500;
  body_->setFixedSize(width, body_->MeasureHeight(width) + 8);
  auto* buttons = new QDialogButtonBox(this);
  auto* warranty = buttons->addButton(QStringLiteral("&No Warranty..."), QDialogButtonBox::ActionRole);
  auto* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
  close->setDefault(true);
  connect(warranty, &QPushButton::clicked, this, [this] { qv::ui::OpenHelpTopic(QStringLiteral("license.htm"), this); });
  connect(close, &QPushButton::clicked, this, [this] { done(IDOK); });
  auto* inner = new QVBoxLayout;
  inner->setContentsMargins(16, 8, 16, 0);
  inner->addWidget(body_);
  inner->addWidget(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 12);
  layout->addWidget(banner);
  layout->addLayout(inner);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

const std::string& CFirstRunDlg::Text() const { return body_->Text(); }
