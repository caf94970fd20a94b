#include "app/NotBuiltPage.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/Icons.h"
#include "ui/ModuleStatusBar.h"
#include "ui/ProgressArea.h"

std::string CNotBuiltPage::NotBuiltText(const std::string& moduleName) {
  return "The " + moduleName + " module is not built yet.";
}

CNotBuiltPage::CNotBuiltPage(const ModuleInfo& module, CSettings& settings, QWidget* parent)
    : CChildDialog(settings, parent), module_(module) {
  auto* icon = new QLabel(this);
  icon->setPixmap(qv::ui::ResourceIcon(module.icon).pixmap(64, 64));
  icon->setAlignment(Qt::AlignCenter);
  auto* title = new QLabel(QString::fromStdString(NotBuiltText(module.name)), this);
  QFont f = title->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.2);
  title->setFont(f);
  title->setAlignment(Qt::AlignCenter);
  // The page is missing, not the work: most engines already run from the command line.
  auto* text = new QLabel(QStringLiteral("This version of Quorvel does not contain its page yet. "
                                         "Where its engine is built, the command line runs it: see qv --help."), this);
  text->setWordWrap(true);
  text->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 6);
  layout->addStretch();
  layout->addWidget(icon);
  layout->addWidget(title);
  layout->addWidget(text);
  layout->addStretch();
  layout->addWidget(status_);
  progress_->hide();
}
