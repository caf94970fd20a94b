#include "ui/ACEdit.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QStringListModel>

CACEdit::CACEdit(QWidget* parent)
    : QLineEdit(parent), completer_(new QCompleter(this)), model_(new QStringListModel(this)) {
  completer_->setModel(model_);
  completer_->setCaseSensitivity(Qt::CaseInsensitive);
  completer_->setFilterMode(Qt::MatchStartsWith);
  completer_->setCompletionMode(QCompleter::PopupCompletion);
  completer_->setModelSorting(QCompleter::CaseInsensitivelySortedModel);
  completer_->setMaxVisibleItems(8);
  completer_->setWidget(this);
  setAcceptDrops(true);
  setClearButtonEnabled(false);
  connect(this, &QLineEdit::textEdited, this, &CACEdit::OnEdited);
  connect(completer_, qOverload<const QString&>(&QCompleter::activated), this, &CACEdit::Choose);
  connect(completer_, qOverload<const QString&>(&QCompleter::highlighted), this, &CACEdit::Choose);
}

void CACEdit::SetHistory(const std::vector<std::string>& entries) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(entries.size()));
  for (const auto& e : entries)
    if (!e.empty()) list.append(QString::fromStdString(e));
  list.sort(Qt::CaseInsensitive);
  list.removeDuplicates();
  model_->setStringList(list);
}

QStringList CACEdit::Entries() const { return model_->stringList(); }

void CACEdit::SetFolderMode(bool on) {
  folderMode_ = on;
  if (on) model_->setStringList({});
}

QString CACEdit::DroppedText(const QString& path, DropMode mode) {
  QFileInfo info(path);
  switch (mode) {
    case DropMode::Folder: return info.isDir() ? path : info.absolutePath();
    case DropMode::FileName: return info.fileName();
    case DropMode::FullPath: break;
  }
  return path;
}

QStringList CACEdit::FolderCompletions(const QString& typed) {
  QStringList result;
  if (typed.size() <= 2) return result;
  const qsizetype slash = typed.lastIndexOf(QLatin1Char('/'));
  if (slash < 0) return result;
  const QString folder = typed.left(slash + 1);
  QDir dir(folder);
  if (!dir.exists()) return result;
  const QString prefix = typed.mid(slash + 1);
  for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
    if (name.startsWith(prefix, Qt::CaseInsensitive)) result.append(folder + name + QLatin1Char('/'));
  return result;
}

void CACEdit::OnEdited(const QString& text) {
  if (folderMode_) {
    if (cursorPosition() != text.size()) return;
    model_->setStringList(FolderCompletions(text));
  }
  if (text.isEmpty()) {
    completer_->popup()->hide();
    return;
  }
  completer_->setCompletionPrefix(text);
  if (completer_->completionCount() == 0) {
    completer_->popup()->hide();
    return;
  }
  QRect r = rect();
  completer_->complete(r);
}

void CACEdit::Choose(const QString& entry) {
  if (entry.isEmpty()) return;
  setText(entry);
  setCursorPosition(static_cast<int>(entry.size()));
  setModified(true);
}

void CACEdit::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
  else QLineEdit::dragEnterEvent(event);
}

void CACEdit::dropEvent(QDropEvent* event) {
  const auto urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) {
    QLineEdit::dropEvent(event);
    return;
  }
  setText(DroppedText(urls.first().toLocalFile(), dropMode_));
  setModified(true);
  setFocus();
  event->acceptProposedAction();
  emit returnPressed();
}
