#pragma once
// A short warning with an icon, a markup text, "&OK" (or "&Yes" and "&No") and the check box
// "&Don't display this warning again.". Set the properties, call DoModal(), read CheckValue().
//
//   CWarningDlg warn(this);
//   warn.SetText("Are you sure you do not want to keep backup files?");
//   warn.SetYesNo(true);
//   int answer = warn.DoModal();
//   if (warn.CheckValue()) settings.SetShowWarningUncheckKeepBackupFiles(false);
#include <string>

#include <QDialog>

#include "ui/Desktop.h"

class CFormattedStatic;
class QCheckBox;
class QLabel;
class QPushButton;

class CWarningDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CWarningDlg(QWidget* parent = nullptr);

  void SetCaption(const QString& caption) { setWindowTitle(caption); }
  void SetText(std::string markup);
  void SetIcon(const QIcon& icon);
  void SetYesNo(bool yesNo) { yesNo_ = yesNo; }
  void SetShowCheckBox(bool show) { showCheck_ = show; }
  void SetCheckValue(bool on);

  const std::string& Text() const;
  bool CheckValue() const;
  bool IsYesNo() const { return yesNo_; }

  int DoModal();

 public slots:
  void reject() override;

 private:
  QLabel* icon_;
  CFormattedStatic* body_;
  QCheckBox* check_;
  QPushButton* yes_;
  QPushButton* no_;
  QPushButton* ok_;
  bool yesNo_ = false;
  bool showCheck_ = true;
};
