#include "ui/Desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace qv::ui {
namespace {
UrlHook& urlHook() {
  static UrlHook hook;
  return hook;
}
ModalHook& modalHook() {
  static ModalHook hook;
  return hook;
}
}  // namespace

bool OpenUrl(const QUrl& url) {
  if (urlHook()) return urlHook()(url);
  return QDesktopServices::openUrl(url);
}

void SetUrlHook(UrlHook hook) { urlHook() = std::move(hook); }

QString HelpFolder() {
  const QString exeDir = QCoreApplication::applicationDirPath();
  // Installed beside the program (share/quorvel/help), or in the build tree next to bin/.
  for (const QString& rel : {QStringLiteral("../share/quorvel/help"), QStringLiteral("help")}) {
    QDir dir(exeDir + QLatin1Char('/') + rel);
    if (dir.exists()) return dir.canonicalPath();
  }
#ifdef QV_SOURCE_HELP_DIR
  return QStringLiteral(QV_SOURCE_HELP_DIR);
#else
  return exeDir + QStringLiteral("/../share/quorvel/help");
#endif
}

void OpenHelpTopic(const QString& topic, QWidget* parent) {
  const QString path = HelpFolder() + QLatin1Char('/') + topic;
  if (!QFileInfo::exists(path) || !OpenUrl(QUrl::fromLocalFile(path)))
    ShowMessage(parent, QStringLiteral("Unable to display the helpfile %1.").arg(path));
}

int RunModal(QDialog& dialog) {
  if (modalHook()) return modalHook()(dialog);
  return dialog.exec();
}

void SetModalHook(ModalHook hook) { modalHook() = std::move(hook); }

int ShowMessage(QWidget* parent, const QString& text, MessageIcon icon, bool yesNo) {
  QMessageBox box(parent);
  box.setWindowTitle(QStringLiteral("Quorvel"));
  box.setText(text);
  switch (icon) {
    case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MessageIcon::None: break;
  }
  QPushButton* yes = nullptr;
  if (yesNo) {
    yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    auto* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
  } else {
    auto* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setEscapeButton(ok);
  }
  int result = RunModal(box);
  if (box.clickedButton()) result = box.clickedButton() == yes ? IDYES : yesNo ? IDNO : IDOK;
  if (!yesNo && result != IDOK) result = IDOK;
  if (yesNo && result != IDYES) result = IDNO;
  return result;
}

}  // namespace qv::ui
