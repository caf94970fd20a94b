#include "ui/MyMessageBoxWithListboxDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/Banner.h"
#include "ui/Desktop.h"
#include "ui/Icons.h"

CMyMessageBoxWithListboxDlg::CMyMessageBoxWithListboxDlg(QWidget* parent)
    : QDialog(parent), banner_(new CBanner(QIcon(), QString(), QString(), this)), list_(new QTreeWidget(this)) {
  list_->setColumnCount(2);
  list_->setHeaderLabels({QStringLiteral("Filename"), QStringLiteral("Reason")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* buttons = new QDialogButtonBox(this);
  auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  connect(ok, &QPushButton::clicked, this, [this] { done(IDOK); });
  auto* inner = new QVBoxLayout;
  inner->setContentsMargins(12, 0, 12, 0);
  inner->addWidget(list_, 1);
  inner->addWidget(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 12);
  layout->addWidget(banner_);
  layout->addLayout(inner, 1);
  setMinimumSize(200, 200);
  resize(560, 380);
  setSizeGripEnabled(true);
}

void CMyMessageBoxWithListboxDlg::SetHeading(const QString& heading) { banner_->SetHeading(heading); }
void CMyMessageBoxWithListboxDlg::SetSubHeading(const QString& subHeading) { banner_->SetSubHeading(subHeading); }
void CMyMessageBoxWithListboxDlg::SetIcon(int resourceId) {
  banner_->SetIcon(resourceId ? qv::ui::ResourceIcon(resourceId) : QIcon());
}

void CMyMessageBoxWithListboxDlg::AddItem(const QString& fileName, const QString& reason) {
  auto* item = new QTreeWidgetItem({fileName, reason});
  list_->insertTopLevelItem(0, item);
}

QList<QPair<QString, QString>> CMyMessageBoxWithListboxDlg::Items() const {
  QList<QPair<QString, QString>> items;
  for (int i = 0; i < list_->topLevelItemCount(); ++i)
    items.append({list_->topLevelItem(i)->text(0), list_->topLevelItem(i)->text(1)});
  return items;
}

int CMyMessageBoxWithListboxDlg::DoModal() {
  list_->resizeColumnToContents(0);
  list_->resizeColumnToContents(1);
  qv::ui::RunModal(*this);
  return IDOK;
}
