#pragma once
// A banner over a two-column list of files and the reason each failed, with an "OK" button.
// The pair added last is shown first.
//
//   CMyMessageBoxWithListboxDlg box(this);
//   box.SetCaption("Quorvel"); box.SetHeading("File Toucher"); box.SetIcon(211);
//   for (auto& e : errors) box.AddItem(e.path, e.reason);
//   box.DoModal();
#include <QDialog>

class CBanner;
class QTreeWidget;

class CMyMessageBoxWithListboxDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CMyMessageBoxWithListboxDlg(QWidget* parent = nullptr);

  void SetCaption(const QString& caption) { setWindowTitle(caption); }
  void SetHeading(const QString& heading);
  void SetSubHeading(const QString& subHeading);
  void SetIcon(int resourceId);
  void AddItem(const QString& fileName, const QString& reason);

  // Rows top to bottom as (file name, reason).
  QList<QPair<QString, QString>> Items() const;

  int DoModal();

 private:
  CBanner* banner_;
  QTreeWidget* list_;
};
