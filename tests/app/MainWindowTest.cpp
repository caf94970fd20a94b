#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTest>
#include <QToolButton>

#include "app/AboutDlg.h"
#include "app/FirstRunDlg.h"
#include "app/MainWindowDlg.h"
#include "app/ModuleBar.h"
#include "app/NotBuiltPage.h"
#include "app/Version.h"
#include "common/TempDir.h"
#include "settings/Settings.h"
#include "ui/ChildDialog.h"
#include "ui/Desktop.h"
#include "ui/ModuleStatusBar.h"
#include "ui/MyMessageBoxDlg.h"

namespace {

struct MainWindow : ::testing::Test {
  TempDir dir;
  std::string profile = dir / "Quorvel.ini";
  std::vector<QString> opened;  // URLs handed to the desktop
  std::vector<std::string> dialogs;  // class names of the dialogs shown

  void SetUp() override {
    qv::ui::SetUrlHook([this](const QUrl& url) {
      opened.push_back(url.toString());
      return true;
    });
    qv::ui::SetModalHook([this](QDialog& d) {
      dialogs.push_back(d.metaObject()->className());
      return IDOK;
    });
  }
  void TearDown() override {
    qv::ui::SetUrlHook({});
    qv::ui::SetModalHook({});
  }
  // A settings object whose first-run is already done for this version.
  std::unique_ptr<CSettings> Settings() {
    auto s = std::make_unique<CSettings>(profile);
    s->WriteShownFirstRunForVersion(QuorvelVersion());
    return s;
  }
};

}  // namespace

TEST_F(MainWindow, PagesAreCreatedOnFirstUseWithTheStartFolder) {
  auto settings = Settings();
  StartInputs start;
  start.module = 3;
  start.folder = "/srv/data/";
  CMainWindowDlg w(*settings, start);
  ASSERT_TRUE(w.Initialise());
  EXPECT_EQ(w.CurrentModule(), 3);
  EXPECT_EQ(w.HeaderText(), "File Renamer");
  EXPECT_EQ(w.Bar()->Current(), 3);
  EXPECT_TRUE(w.ModuleAction(3)->isChecked());
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(w.Page(i) != nullptr, i == 3) << i;
  EXPECT_EQ(w.Page(3)->GetModuleName(), "File Renamer");

  w.ModuleAction(4)->trigger();  // Ctrl+5
  EXPECT_EQ(w.CurrentModule(), 4);
  EXPECT_NE(w.Page(4), nullptr);
  EXPECT_EQ(w.ModuleAction(4)->shortcut(), QKeySequence("Ctrl+5"));
  w.SelectModule(12);  // outside 0..8: ignored
  EXPECT_EQ(w.CurrentModule(), 4);
}

TEST_F(MainWindow, QuickModesEndWithoutShowingOrSaving) {
  auto settings = Settings();
  for (int quick : {9, 10}) {
    StartInputs start;
    start.module = quick;
    CMainWindowDlg w(*settings, start);
    dialogs.clear();
    EXPECT_FALSE(w.Initialise());
    EXPECT_FALSE(w.IsInitialised());
    EXPECT_EQ(dialogs.size(), 1u);  // says the module is not built yet
    w.close();
  }
  EXPECT_TRUE(settings->ReadWindowPlacement("MainWnd").empty());
}

TEST_F(MainWindow, EscapeDoesNotClose) {
  auto settings = Settings();
  CMainWindowDlg w(*settings, {});
  ASSERT_TRUE(w.Initialise());
  w.show();
  QTest::keyClick(&w, Qt::Key_Escape);
  EXPECT_TRUE(w.isVisible());
  w.close();
}

TEST_F(MainWindow, StatusLineShowsTextsThenReady) {
  auto settings = Settings();
  CMainWindowDlg w(*settings, {});
  ASSERT_TRUE(w.Initialise());
  EXPECT_EQ(w.StatusText(), "Ready");
  settings->NotifyModuleStarted("Find");
  EXPECT_EQ(w.StatusText(), "Module \"Find\" has started");
  QTest::qWait(1500);
  settings->NotifyModuleFinished("Find");  // restarts the 3 seconds
  QTest::qWait(2000);
  EXPECT_EQ(w.StatusText(), "Module \"Find\" has finished");
  QTRY_COMPARE_WITH_TIMEOUT(w.StatusText(), QString("Ready"), 3000);
}

TEST_F(MainWindow, BarFollowsItsSettingsAtOnce) {
  auto settings = Settings();
  CMainWindowDlg w(*settings, {});
  ASSERT_TRUE(w.Initialise());
  EXPECT_EQ(w.Bar()->Item(4)->toolTip(),
            "Change the creation-, modified- and last accessed date and attributes of files.\n\n(Shortcut: Ctrl+5)");
  settings->SetShowOutlookBarToolTips(0);
  EXPECT_TRUE(w.Bar()->Item(4)->toolTip().isEmpty());
  settings->SetShowSmallOutlookBarIcons(1);
  EXPECT_TRUE(w.Bar()->IsCompact());
  settings->SetShowSmallOutlookBarIcons(0);
  EXPECT_FALSE(w.Bar()->IsCompact());
}

TEST_F(MainWindow, HelpOpensTheModuleTopic) {
  auto settings = Settings();
  StartInputs start;
  start.module = 7;
  CMainWindowDlg w(*settings, start);
  ASSERT_TRUE(w.Initialise());
  emit w.Page(7)->StatusBar()->helpRequested();
  if (dialogs.empty()) {  // the help pages are installed beside the program
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].endsWith("/Comparer.htm")) << opened[0].toStdString();
  } else {
    EXPECT_EQ(dialogs[0], "QMessageBox");  // "Unable to display the helpfile ..."
  }
}

TEST_F(MainWindow, CloseSavesOpenedPagesPlacementAndSettings) {
  {
    auto settings = Settings();
    CMainWindowDlg w(*settings, {});
    ASSERT_TRUE(w.Initialise());
    settings->SetBackupFolder("/bak/");
    w.resize(700, 500);
    w.show();
    EXPECT_TRUE(w.close());
  }
  CSettings reread(profile);
  reread.Load();
  EXPECT_EQ(reread.BackupFolder(), "/bak/");
  const Bytes placement = reread.ReadWindowPlacement("MainWnd");
  ASSERT_FALSE(placement.empty());

  CMainWindowDlg again(reread, {});
  ASSERT_TRUE(again.Initialise());
  EXPECT_EQ(again.size(), QSize(700, 500));
  EXPECT_GE(again.minimumWidth(), 555);
  EXPECT_GE(again.minimumHeight(), 460);
}

TEST_F(MainWindow, PlacementOffEveryScreenIsNotUsed) {
  auto settings = Settings();
  {
    QWidget far;
    far.setGeometry(-30000, -30000, 600, 480);
    const QByteArray g = far.saveGeometry();
    settings->WriteWindowPlacement("MainWnd", Bytes(g.begin(), g.end()));
  }
  CMainWindowDlg w(*settings, {});
  ASSERT_TRUE(w.Initialise());
  EXPECT_GT(w.normalGeometry().x(), -1000);
}

TEST_F(MainWindow, FirstRunOncePerVersion) {
  CSettings settings(profile);
  std::vector<std::string> seen;
  for (int answer : {IDNO, IDYES}) {
    qv::ui::SetModalHook([&seen, answer](QDialog& d) {
      seen.push_back(d.metaObject()->className());
      if (auto* box = qobject_cast<CMyMessageBoxDlg*>(&d)) {
        EXPECT_EQ(box->Heading(), "File Filter *.* Behaviour");
        EXPECT_TRUE(box->ShowsHelpButton());
        EXPECT_FALSE(box->ShowsCheckBox());
        return answer;
      }
      if (auto* welcome = qobject_cast<CFirstRunDlg*>(&d)) {
        EXPECT_NE(welcome->Text().find("version " + QuorvelVersion() + "."), std::string::npos);
      }
      return IDOK;
    });
    settings.WriteShownFirstRunForVersion(answer == IDNO ? "0.0" : "0.0-OLD");
    CMainWindowDlg w(settings, {});
    ASSERT_TRUE(w.Initialise());
    w.ShowFirstRunIfDue();
    EXPECT_EQ(settings.UseDOSStarDotStarBehaviour(), answer == IDYES ? 1 : 0);
    EXPECT_EQ(settings.ReadShownFirstRunForVersion(), QuorvelVersion());
    seen.clear();
    w.ShowFirstRunIfDue();  // same version: nothing more
    EXPECT_TRUE(seen.empty());
    w.close();
  }
}

// Saves what the user sees into build/screenshots/ for a look by eye.
TEST_F(MainWindow, Screenshots) {
  QDir().mkpath(QV_SCREENSHOT_DIR);
  auto save = [](QWidget& w, const QString& name) {
    w.grab().save(QString(QV_SCREENSHOT_DIR) + "/" + name + ".png");
  };
  auto settings = Settings();
  CMainWindowDlg w(*settings, {});
  ASSERT_TRUE(w.Initialise());
  w.resize(900, 640);
  w.show();
  QApplication::processEvents();
  for (int i = 0; i < 9; ++i) {
    w.SelectModule(i);
    QApplication::processEvents();
    save(w, QString("main-%1").arg(i));
  }
  settings->SetShowSmallOutlookBarIcons(1);
  w.SelectModule(0);
  QApplication::processEvents();
  save(w, "main-compact");

  qv::ui::SetModalHook([&save](QDialog& d) {
    d.show();
    QApplication::processEvents();
    save(d, QString("dialog-") + d.metaObject()->className());
    return IDOK;
  });
  CAboutDlg about(&w);
  qv::ui::RunModal(about);
  CFirstRunDlg welcome(QuorvelVersion(), &w);
  qv::ui::RunModal(welcome);
  settings->WriteShownFirstRunForVersion("0.0");
  w.ShowFirstRunIfDue();
  w.close();
}
