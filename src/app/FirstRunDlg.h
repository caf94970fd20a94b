#pragma once
// The welcome shown the first time a version of Quorvel runs: what Find And Replace does with
// backups, and where the warranty terms are.
//
//   CFirstRunDlg welcome("0.1.0", this);
//   qv::ui::RunModal(welcome);
#include <string>

#include <QDialog>

class CFormattedStatic;

class CFirstRunDlg : public QDialog {
  Q_OBJECT
 public:
  CFirstRunDlg(const std::string& version, QWidget* parent = nullptr);
  const std::string& Text() const;

  // The welcome text with %1 for the version (message formatting: "%\n" is a line break).
  static const char* const kWelcomeText;

 private:
  CFormattedStatic* body_;
};
