#include "ui/FileActions.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QProcess>
#include <QUrl>

#include "ui/Desktop.h"

namespace qv::ui {
namespace {
MenuHook& menuHook() {
  static MenuHook hook;
  return hook;
}
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

void OpenWithDefault(const std::string& path) { OpenUrl(QUrl::fromLocalFile(Q(path))); }

void ExploreFolder(const std::string& folder) { OpenUrl(QUrl::fromLocalFile(Q(folder))); }

void OpenContainingFolder(const std::string& path) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (bus.isConnected()) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(Q(path)).toString()} << QString();
    QDBusMessage reply = bus.call(call, QDBus::Block, 3000);
    if (reply.type() == QDBusMessage::ReplyMessage) return;
  }
  ExploreFolder(QFileInfo(Q(path)).absolutePath().toStdString());
}

bool AllReadable(const std::vector<std::string>& paths) {
  for (const auto& p : paths) {
    // O_NONBLOCK: a FIFO must not hang the window.
    int fd = ::open(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    ::close(fd);
  }
  return true;
}

void SetMenuHook(MenuHook hook) { menuHook() = std::move(hook); }

void ShowFileContextMenu(QWidget* parent, const std::vector<std::string>& paths, const QPoint& globalPos) {
  if (paths.empty()) return;
  if (!AllReadable(paths)) {
    ShowMessage(parent, QString::fromLatin1(kContextMenuMissingFiles));
    return;
  }
  QMenu menu(parent);
  QAction* open = menu.addAction(QIcon::fromTheme(QStringLiteral("document-open")), QStringLiteral("&Open"));
  QAction* openWith = menu.addAction(QStringLiteral("Open &With..."));
  QAction* containing = menu.addAction(QIcon::fromTheme(QStringLiteral("folder-open")), QStringLiteral("Open &Containing Folder"));
  menu.addSeparator();
  QAction* copy = menu.addAction(QIcon::fromTheme(QStringLiteral("edit-copy")), QStringLiteral("Copy &Path"));
  menu.addSeparator();
  QAction* trash = menu.addAction(QIcon::fromTheme(QStringLiteral("user-trash")), QStringLiteral("Move to &Trash"));
  QAction* del = menu.addAction(QIcon::fromTheme(QStringLiteral("edit-delete")), QStringLiteral("&Delete..."));
  menu.setDefaultAction(open);

  QAction* chosen = menuHook() ? menuHook()(menu) : menu.exec(globalPos);
  if (!chosen) return;
  if (chosen == open) {
    for (const auto& p : paths) OpenWithDefault(p);
  } else if (chosen == openWith) {
    bool ok = false;
    const QString program = QInputDialog::getText(parent, QStringLiteral("Open With"),
                                                  QStringLiteral("Program to open the files with:"),
                                                  QLineEdit::Normal, QString(), &ok);
    if (!ok || program.trimmed().isEmpty()) return;
    QStringList args;
    for (const auto& p : paths) args.append(Q(p));
    if (!QProcess::startDetached(program.trimmed(), args))
      ShowMessage(parent, QStringLiteral("Cannot start \"%1\".").arg(program.trimmed()));
  } else if (chosen == containing) {
    for (const auto& p : paths) OpenContainingFolder(p);
  } else if (chosen == copy) {
    QStringList list;
    for (const auto& p : paths) list.append(Q(p));
    QApplication::clipboard()->setText(list.join(QLatin1Char('\n')));
  } else if (chosen == trash) {
    QStringList failed;
    for (const auto& p : paths)
      if (!QFile::moveToTrash(Q(p))) failed.append(Q(p));
    if (!failed.isEmpty())
      ShowMessage(parent, QStringLiteral("These files could not be moved to the trash:\n%1").arg(failed.join(QLatin1Char('\n'))));
  } else if (chosen == del) {
    const QString question = paths.size() == 1
        ? QStringLiteral("Do you really want to delete \"%1\"?\nIt cannot be restored.").arg(Q(paths.front()))
        : QStringLiteral("Do you really want to delete these %1 files?\nThey cannot be restored.").arg(paths.size());
    if (ShowMessage(parent, question, MessageIcon::Question, true) != IDYES) return;
    QStringList failed;
    for (const auto& p : paths)
      if (::unlink(p.c_str()) != 0) failed.append(Q(p));
    if (!failed.isEmpty())
      ShowMessage(parent, QStringLiteral("These files could not be deleted:\n%1").arg(failed.join(QLatin1Char('\n'))));
  }
}

}  // namespace qv::ui
