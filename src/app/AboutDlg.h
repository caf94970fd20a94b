#pragma once
// The About box: version, the warranty disclaimer, the contact address and the credits and
// license pages.
//
//   CAboutDlg about(this);
//   about.exec();
#include <QDialog>

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);

  static inline const char* const kContactAddress = "quorvel@ambrel.example";
  static const char* const kDisclaimer;
};
