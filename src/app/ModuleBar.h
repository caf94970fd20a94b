#pragma once
// The bar of module items at the left edge of the main window: one group, "Modules", with the
// nine items, their icons and tooltips. Normal items show a large icon above the name; compact
// items a small icon beside it.
//
//   bar->SetCurrent(0);
//   connect(bar, &CModuleBar::moduleClicked, this, &CMainWindowDlg::SelectModule);
#include <QWidget>

class QButtonGroup;
class QLabel;
class QToolButton;

class CModuleBar : public QWidget {
  Q_OBJECT
 public:
  explicit CModuleBar(QWidget* parent = nullptr);

  void SetCurrent(int index);
  int Current() const;
  void SetCompact(bool compact);
  bool IsCompact() const { return compact_; }
  void SetToolTipsEnabled(bool on);
  bool ToolTipsEnabled() const { return toolTips_; }
  QToolButton* Item(int index) const;

  static constexpr int kWidth = 109;

 signals:
  void moduleClicked(int index);

 private:
  QLabel* title_;
  QButtonGroup* group_;
  QList<QToolButton*> items_;
  bool compact_ = false;
  bool toolTips_ = true;
};
