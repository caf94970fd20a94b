#pragma once
// The one top-level window: the module bar, the header strip with the current module's name, the
// module pages (created on first use, never destroyed before the window), the menus, the
// shortcuts, the status line and the orderly close.
//
//   CMainWindowDlg window(CSettings::Instance(), ApplyStartParameters(params));
//   if (!window.Initialise()) return 0;   // a quick mode ended the run
//   window.show();
//   window.ShowFirstRunIfDue();
#include <array>
#include <boost/signals2/connection.hpp>

#include <QMainWindow>
#include <QTimer>

#include "app/LaunchParameters.h"

class CChildDialog;
class CModuleBar;
class CSettings;
class QAction;
class QLabel;
class QStackedWidget;

class CMainWindowDlg : public QMainWindow {
  Q_OBJECT
 public:
  CMainWindowDlg(CSettings& settings, StartInputs start, QWidget* parent = nullptr);
  ~CMainWindowDlg() override;

  // Loads the settings, applies the start parameters and selects the start module. False when a
  // quick mode ended the run: the window is then neither shown nor saved.
  bool Initialise();
  // The welcome and the "*.*" question, once per program version.
  void ShowFirstRunIfDue();

  void SelectModule(int index);
  int CurrentModule() const { return current_; }
  // The page of a module, or nullptr while it has not been needed yet.
  CChildDialog* Page(int index) const;
  CModuleBar* Bar() const { return bar_; }
  QString HeaderText() const;
  QString StatusText() const;
  QAction* ModuleAction(int index) const { return moduleActions_[static_cast<size_t>(index)]; }
  bool IsInitialised() const { return !notInitialised_; }

  // Shows a text in the status line for 3 seconds, then "Ready" again.
  void ShowStatus(const QString& text);
  void OpenModuleHelp();

  static inline const char* const kReady = "Ready";

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void BuildShortcuts();
  CChildDialog* EnsurePage(int index);
  void RestorePlacement();
  void AskStarDotStar();

  CSettings& settings_;
  StartInputs start_;
  CModuleBar* bar_;
  QLabel* header_;
  QStackedWidget* stack_;
  QLabel* statusLabel_;
  QTimer statusTimer_;
  std::array<CChildDialog*, 9> pages_{};
  std::array<QAction*, 9> moduleActions_{};
  int current_ = -1;
  bool notInitialised_ = true;
  boost::signals2::scoped_connection toolTipsChanged_, compactChanged_;
};
