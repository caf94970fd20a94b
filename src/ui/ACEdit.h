#pragma once
// A text field that offers earlier entries while the user types: the history entries that begin
// with the typed text (ignoring letter case, sorted alphabetically, at most 8 rows visible), or,
// for folder fields, the subfolders of the typed path. Files dropped from the file manager
// replace the text according to the drop mode.
//
//   auto* filter = new CACEdit(this);
//   filter->SetHistory(settings.History(HistFilter));
//   filter->SetDropMode(CACEdit::DropMode::FileName);
#include <string>
#include <vector>

#include <QLineEdit>

class QCompleter;
class QStringListModel;

class CACEdit : public QLineEdit {
  Q_OBJECT
 public:
  enum class DropMode { FullPath, Folder, FileName };

  explicit CACEdit(QWidget* parent = nullptr);

  // The entries offered (history fields); oldest first as the settings keep them.
  void SetHistory(const std::vector<std::string>& entries);
  QStringList Entries() const;
  // Folder fields complete from the disk instead of a history.
  void SetFolderMode(bool on);
  bool FolderMode() const { return folderMode_; }
  void SetDropMode(DropMode mode) { dropMode_ = mode; }

  std::string Text() const { return text().toStdString(); }
  void SetText(const std::string& text) { setText(QString::fromStdString(text)); }

  // The text a dropped path gives in the given mode.
  static QString DroppedText(const QString& path, DropMode mode);
  // The subfolders offered for a typed folder text ("/home/u/Do" offers "/home/u/Documents/").
  static QStringList FolderCompletions(const QString& typed);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void OnEdited(const QString& text);
  void Choose(const QString& entry);

  QCompleter* completer_;
  QStringListModel* model_;
  bool folderMode_ = false;
  DropMode dropMode_ = DropMode::FullPath;
};
