#include "app/AboutDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/Version.h"
#include "ui/Banner.h"
#include "ui/Desktop.h"
#include "ui/HyperlinkStatic.h"
#include "ui/Icons.h"

const char* const CAboutDlg::kDisclaimer =
    "Quorvel is free software: you can redistribute it and/or modify it under the terms of the GNU "
    "General Public License as published by the Free Software Foundation, either version 3 of the "
    "License, or (at your option) any later version.\n\n"
    "Quorvel is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY; without even "
    "the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU General "
    "Public License for more details.\n\n"
    "Quorvel changes files when you ask it to (Find And Replace, the renamer, the toucher). Keep "
    "backups of anything you cannot afford to lose.";

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Quorvel"));
  auto* banner = new CBanner(qv::ui::ResourceIcon(128), QStringLiteral("Ambrel Quorvel"),
                             QStringLiteral("Nine file utilities in one window"), this);
  auto* version = new QLabel(QStringLiteral("Version %1").arg(QString::fromStdString(QuorvelVersion())), this);
  auto* text = new QPlainTextEdit(QString::fromLatin1(kDisclaimer), this);
  text->setReadOnly(true);
  text->setMinimumHeight(text->fontMetrics().height() * 9);
  auto* mail = new CHyperlinkStatic(QString::fromLatin1(kContactAddress), this);
  connect(mail, &CHyperlinkStatic::clicked, this,
          [] { qv::ui::OpenUrl(QUrl(QStringLiteral("mailto:") + QString::fromLatin1(kContactAddress))); });

  auto* buttons = new QDialogButtonBox(this);
  auto* credits = buttons->addButton(QStringLiteral("&Credits..."), QDialogButtonBox::ActionRole);
  auto* license = buttons->addButton(QStringLiteral("Full &License..."), QDialogButtonBox::ActionRole);
  auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  connect(credits, &QPushButton::clicked, this, [this] { qv::ui::OpenHelpTopic(QStringLiteral("Credits.htm"), this); });
  connect(license, &QPushButton::clicked, this, [this] { qv::ui::OpenHelpTopic(QStringLiteral("license.htm"), this); });
  connect(ok, &QPushButton::clicked, this, [this] { done(IDOK); });

  auto* inner = new QVBoxLayout;
  inner->setContentsMargins(14, 4, 14, 0);
  inner->addWidget(version);
  inner->addWidget(text, 1);
  inner->addWidget(mail);
  inner->addWidget(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 12);
  layout->addWidget(banner);
  layout->addLayout(inner, 1);
  resize(520, 400);
}
