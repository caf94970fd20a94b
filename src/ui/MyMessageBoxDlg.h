#pragma once
// Quorvel's message box: a banner (icon, heading, sub-heading), a markup body that grows with its
// text, an optional "Show this warning in the future" check box and a "&Help" button, and either
// "&Yes"/"&No" or "OK". Set the properties, call DoModal(), then read CheckValue().
//
//   CMyMessageBoxDlg box(this);
//   box.SetCaption("Quorvel"); box.SetHeading("Find And Replace"); box.SetIcon(161);
//   box.SetText(summary); box.SetButtons(CMyMessageBoxDlg::kYesNo); box.SetShowCheckBox(true);
//   if (box.DoModal() != IDYES) return;
//   if (!box.CheckValue()) settings.SetShowWarningReplace(false);
#include <string>

#include <QDialog>

#include "ui/Desktop.h"

class CBanner;
class CFormattedStatic;
class QCheckBox;
class QPushButton;

class CMyMessageBoxDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kYesNo = 0;
  static constexpr int kOk = 1;

  explicit CMyMessageBoxDlg(QWidget* parent = nullptr);

  void SetCaption(const QString& caption);
  void SetHeading(const QString& heading);
  void SetSubHeading(const QString& subHeading);
  void SetText(std::string markup);
  void SetIcon(int resourceId);  // 0: none
  void SetShowCheckBox(bool show) { showCheck_ = show; }
  void SetCheckValue(bool on);
  void SetButtons(int buttons) { buttons_ = buttons; }
  void SetHelpTopic(const QString& topic) { helpTopic_ = topic; }
  void SetClosable(bool closable) { closable_ = closable; }

  const std::string& Text() const;
  QString Heading() const;
  QString SubHeading() const;
  bool CheckValue() const;
  bool ShowsCheckBox() const { return showCheck_; }
  bool ShowsHelpButton() const { return !helpTopic_.isEmpty(); }
  int Buttons() const { return buttons_; }

  // Lays the dialog out for its text and runs it; IDYES, IDNO or IDOK.
  int DoModal();

 public slots:
  void reject() override;

 private:
  void Arrange();

  CBanner* banner_;
  CFormattedStatic* body_;
  QCheckBox* check_;
  QPushButton* help_;
  QPushButton* yes_;
  QPushButton* no_;
  QPushButton* ok_;
  bool showCheck_ = false;
  int buttons_ = kOk;
  QString helpTopic_;
  bool closable_ = true;
};
