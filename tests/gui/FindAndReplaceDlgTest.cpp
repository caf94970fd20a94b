#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <thread>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/MainWindowDlg.h"
#include "app/Version.h"
#include "common/TempDir.h"
#include "core/Sys.h"
#include "findreplace/FindAndReplaceDlg.h"
#include "settings/Settings.h"
#include "ui/ACEdit.h"
#include "ui/Desktop.h"
#include "ui/FileActions.h"
#include "ui/ModuleStatusBar.h"
#include "ui/MyMessageBoxDlg.h"
#include "ui/ProgressArea.h"
#include "ui/ResultListModel.h"
#include "ui/ResultListView.h"
#include "ui/WarningDlg.h"

using Mode = CFindAndReplaceDlg::Mode;

namespace {

// Opens of files the worker may still make before it waits (-1: no limit).
std::atomic<int> gOpensLeft{-1};
std::atomic<int> gDelayMs{0};  // a pause before each of the worker's file opens
const std::thread::id gGuiThread = std::this_thread::get_id();

std::vector<std::string> Rows(const CFindAndReplaceDlg& page) {
  std::vector<std::string> rows;
  for (int i = 0; i < page.Results()->rowCount(); ++i) rows.push_back(page.Results()->Text(i));
  std::sort(rows.begin(), rows.end());
  return rows;
}

struct FindPage : ::testing::Test {
  TempDir tree;
  TempDir config;
  CSettings settings{config / "Quorvel.ini"};
  std::vector<std::string> messages;  // texts of the plain message boxes
  std::function<int(QDialog&)> answer = [](QDialog&) { return IDOK; };

  void SetUp() override {
    settings.SetShowWarningFileCounting(0);
    qv::ui::SetUrlHook([](const QUrl&) { return true; });
    qv::ui::SetModalHook([this](QDialog& d) {
      if (auto* box = qobject_cast<QMessageBox*>(&d)) messages.push_back(box->text().toStdString());
      return answer(d);
    });
  }
  void TearDown() override {
    Release();
    qv::sys::ops() = qv::sys::realOps();
    qv::ui::SetModalHook({});
    qv::ui::SetUrlHook({});
    qv::ui::SetMenuHook({});
  }
  static void Type(CACEdit* field, const std::string& text) {
    field->clear();
    QTest::keyClicks(field, QString::fromStdString(text));
  }
  static void WaitIdle(CFindAndReplaceDlg& page) {
    QTRY_VERIFY_WITH_TIMEOUT(!page.IsRunning(), 20000);
  }
  // Holds the worker before its next file once it has opened `opens` files, so that a run is
  // still going when the test acts, however fast the machine is.
  static void HoldAfter(int opens) {
    gOpensLeft = opens;
    qv::sys::ops().openat = [](int dir, const char* path, int flags, mode_t mode) {
      // Only the worker waits: the page itself opens files too (settings, icons).
      if (!(flags & O_DIRECTORY) && std::this_thread::get_id() != gGuiThread) {
        while (gOpensLeft.load() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (gOpensLeft.load() > 0) --gOpensLeft;
        std::this_thread::sleep_for(std::chrono::milliseconds(gDelayMs.load()));
      }
      return ::openat(dir, path, flags, mode);
    };
  }
  static void Release() {
    gOpensLeft = -1;
    gDelayMs = 0;
  }
  // Lets the worker go on slowly: a cancel, which waits for the worker, still finds it running.
  static void ReleaseSlowly() {
    gDelayMs = 20;
    gOpensLeft = -1;
  }
  // Many files holding the text.
  void MakeBigTree(int files) {
    for (int i = 0; i < files; ++i)
      tree.Write("big/d" + std::to_string(i % 50) + "/f" + std::to_string(i) + ".txt", std::string(2000, 'x') + "needle");
  }
};

}  // namespace

TEST_F(FindPage, WholeRunFromTypingToRows) {
  tree.Write("a.txt", "one needle here");
  tree.Write("b.txt", "nothing");
  tree.Write("sub/c.txt", "needle");
  tree.Write("sub/d.log", "needle");
  CFindAndReplaceDlg page(Mode::Find, settings);
  page.LoadFromSettings();
  EXPECT_EQ(page.FilterEdit()->text(), "*");  // an empty filter shows as "*"
  page.show();
  EXPECT_FALSE(page.StartButton()->isEnabled());
  Type(page.FolderEdit(), tree.path() + "/");
  EXPECT_TRUE(page.StartButton()->isEnabled());
  Type(page.FilterEdit(), "  *.txt ");
  Type(page.FindEdit(), "needle");
  page.RecursiveBox()->click();
  EXPECT_EQ(settings.FindRecursively(), 1);  // stored when clicked

  QTest::mouseClick(page.StartButton(), Qt::LeftButton);
  EXPECT_EQ(page.StartButton()->text(), "&Cancel");
  EXPECT_FALSE(page.FolderEdit()->isEnabled());
  WaitIdle(page);

  EXPECT_EQ(Rows(page), (std::vector<std::string>{"./a.txt", "./sub/c.txt"}));
  EXPECT_EQ(page.StatusBar()->Text(), "Found 2 files.");
  EXPECT_EQ(page.StartButton()->text(), "&Find");
  EXPECT_TRUE(page.FolderEdit()->isEnabled());
  EXPECT_FALSE(page.Progress()->isVisible());
  EXPECT_EQ(page.FolderEdit()->text().toStdString(), tree.path());  // trailing separator removed
  EXPECT_EQ(page.FilterEdit()->text(), "*.txt");                     // trimmed
  EXPECT_EQ(settings.FindFolder(), tree.path());
  EXPECT_EQ(settings.FindFilter(), "*.txt");
  EXPECT_EQ(settings.HistoryEntries(History::Filter).back(), "*.txt");
  EXPECT_EQ(settings.HistoryEntries(History::FindText).back(), "needle");
  EXPECT_TRUE(messages.empty());

  // The histories reach the fields' entry lists; the settings survive a save and a new load.
  EXPECT_TRUE(page.FindEdit()->Entries().contains("needle"));
  ASSERT_TRUE(settings.Save());
  CSettings reread(config / "Quorvel.ini");
  reread.Load();
  CFindAndReplaceDlg again(Mode::Find, reread);
  again.LoadFromSettings();
  EXPECT_EQ(again.FolderEdit()->text().toStdString(), tree.path());
  EXPECT_TRUE(again.RecursiveBox()->isChecked());
  EXPECT_TRUE(again.FindEdit()->Entries().contains("needle"));
}

TEST_F(FindPage, ErrorCodesAreReported) {
  tree.Write("a.txt", "x");
  CFindAndReplaceDlg page(Mode::Find, settings);
  page.LoadFromSettings();
  page.SetFolder(tree.path());
  page.RegexBox()->click();
  Type(page.FindEdit(), "(unclosed");
  page.OnStart();
  WaitIdle(page);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("The regular expression used for the \"Find Text\" is invalid.", 0), 0u);
  EXPECT_EQ(page.Results()->rowCount(), 0);
  EXPECT_EQ(page.StatusBar()->Text(), "Found 0 files.");
}

TEST_F(FindPage, CancelKeepsTheRowsDelivered) {
  MakeBigTree(200);
  CFindAndReplaceDlg page(Mode::Find, settings);
  page.LoadFromSettings();
  page.SetFolder(tree.path());
  page.RecursiveBox()->click();
  Type(page.FindEdit(), "needle");
  HoldAfter(10);
  page.OnStart();
  QTRY_VERIFY_WITH_TIMEOUT(page.Results()->rowCount() >= 10, 20000);
  const int before = page.Results()->rowCount();
  ReleaseSlowly();
  page.OnStart();  // the start button cancels while running
  WaitIdle(page);
  EXPECT_GE(page.Results()->rowCount(), before);
  EXPECT_LT(page.Results()->rowCount(), 200);
  EXPECT_EQ(page.StatusBar()->Text().toStdString(), "Found " + std::to_string(page.Results()->rowCount()) + " files.");
  EXPECT_EQ(page.StartButton()->text(), "&Find");
}

TEST_F(FindPage, CloseGuardWhileATaskRuns) {
  MakeBigTree(20);
  settings.WriteShownFirstRunForVersion(QuorvelVersion());
  StartInputs start;
  start.folder = tree.path() + "/";
  CMainWindowDlg window(settings, start);
  ASSERT_TRUE(window.Initialise());
  window.show();
  auto* page = qobject_cast<CFindAndReplaceDlg*>(window.Page(0));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->FolderEdit()->text().toStdString(), tree.path() + "/");
  page->RecursiveBox()->click();
  Type(page->FindEdit(), "needle");
  HoldAfter(0);
  page->OnStart();
  ASSERT_TRUE(page->IsRunning());
  window.SelectModule(1);  // switching while the task runs is fine
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(messages, (std::vector<std::string>{"Cannot close Quorvel while a task is running."}));
  window.SelectModule(0);
  ReleaseSlowly();
  page->OnStart();
  WaitIdle(*page);
  EXPECT_TRUE(window.close());
}

TEST_F(FindPage, FileCountingBoxOnlyWhileCounting) {
  tree.Write("a.txt", "x");
  std::vector<std::string> headings;
  answer = [&headings](QDialog& d) {
    if (auto* box = qobject_cast<CMyMessageBoxDlg*>(&d)) {
      headings.push_back(box->Heading().toStdString());
      box->SetCheckValue(false);  // "do not show this again"
    }
    return IDOK;
  };
  settings.SetShowWarningFileCounting(1);
  CFindAndReplaceDlg page(Mode::Find, settings);
  page.LoadFromSettings();
  page.SetFolder(tree.path());
  page.OnStart();
  WaitIdle(page);
  EXPECT_EQ(headings, (std::vector<std::string>{"File Counting"}));
  EXPECT_EQ(settings.ShowWarningFileCounting(), 0);
  page.OnStart();
  WaitIdle(page);
  EXPECT_EQ(headings.size(), 1u);
}

TEST_F(FindPage, ReplaceSummaryShowsFindTextLiterallyAndNoStopsEverything) {
  tree.Write("a.txt", "a<b");
  CFindAndReplaceDlg page(Mode::Replace, settings);
  page.LoadFromSettings();
  EXPECT_TRUE(page.KeepBackupsBox()->isVisibleTo(&page));
  page.SetFolder(tree.path() + "/<B>dir");
  Type(page.FindEdit(), "a<b");
  Type(page.ReplaceEdit(), "c");
  std::string summary;
  answer = [&summary](QDialog& d) {
    if (auto* box = qobject_cast<CMyMessageBoxDlg*>(&d)) {
      summary = box->Text();
      EXPECT_EQ(box->Heading(), "Find And Replace");
      EXPECT_EQ(box->SubHeading(), "Summary of this Find And Replace operation.");
    }
    return IDNO;
  };
  page.OnStart();
  EXPECT_FALSE(page.IsRunning());
  EXPECT_NE(summary.find("<B>Find text: </B>a\\<b\n"), std::string::npos) << summary;
  EXPECT_NE(summary.find("<B>Search in folder: </B>" + tree.path() + "/\\<B>dir\n"), std::string::npos) << summary;
  EXPECT_EQ(settings.ReplaceFolder(), "");  // nothing was saved
  EXPECT_EQ(tree.Read("a.txt"), "a<b");

  // Yes runs the replacement; unticking the box switches the summary off.
  tree.Write("b.txt", "xa<by");
  page.SetFolder(tree.path());
  answer = [](QDialog& d) {
    if (auto* box = qobject_cast<CMyMessageBoxDlg*>(&d)) box->SetCheckValue(false);
    return IDYES;
  };
  page.OnStart();
  WaitIdle(page);
  EXPECT_EQ(tree.Read("b.txt"), "xcy");
  EXPECT_EQ(settings.ShowWarningReplace(), 0);
  EXPECT_EQ(page.Results()->rowCount(), 2);
  EXPECT_EQ(page.StatusBar()->Text(), "Found 2 files.");
}

TEST_F(FindPage, KeepBackupsWarning) {
  CFindAndReplaceDlg page(Mode::Replace, settings);
  page.LoadFromSettings();
  page.show();
  ASSERT_TRUE(page.KeepBackupsBox()->isChecked());
  for (int reply : {IDNO, IDYES}) {
    int asked = 0;
    answer = [&asked, reply](QDialog& d) {
      if (auto* warn = qobject_cast<CWarningDlg*>(&d)) {
        ++asked;
        EXPECT_EQ(warn->Text(), "Are you sure you do not want to keep backup files?");
        EXPECT_TRUE(warn->IsYesNo());
      }
      return reply;
    };
    page.KeepBackupsBox()->setChecked(true);
    settings.SetReplaceKeepBackupFiles(1);
    page.KeepBackupsBox()->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(page.KeepBackupsBox()->isChecked(), reply == IDNO);
    EXPECT_EQ(settings.ReplaceKeepBackupFiles(), reply == IDNO ? 1 : 0);
  }
  // "Don't display this warning again" switches it off.
  answer = [](QDialog& d) {
    if (auto* warn = qobject_cast<CWarningDlg*>(&d)) warn->SetCheckValue(true);
    return IDYES;
  };
  page.KeepBackupsBox()->setChecked(true);
  page.KeepBackupsBox()->click();
  EXPECT_EQ(settings.ShowWarningUncheckKeepBackupFiles(), 0);
}

TEST_F(FindPage, StartButtonFollowsTheFields) {
  CFindAndReplaceDlg find(Mode::Find, settings);
  CFindAndReplaceDlg replace(Mode::Replace, settings);
  find.LoadFromSettings();
  replace.LoadFromSettings();
  EXPECT_FALSE(find.ReplaceEdit()->isEnabled());
  EXPECT_EQ(find.StartButton()->text(), "&Find");
  EXPECT_EQ(replace.StartButton()->text(), "&Replace...");
  Type(find.FolderEdit(), "/x");
  EXPECT_TRUE(find.StartButton()->isEnabled());
  Type(replace.FolderEdit(), "/x");
  EXPECT_FALSE(replace.StartButton()->isEnabled());
  Type(replace.FindEdit(), "abc");
  EXPECT_TRUE(replace.StartButton()->isEnabled());
  Type(replace.ReplaceEdit(), "abc");
  EXPECT_FALSE(replace.StartButton()->isEnabled());
  Type(replace.ReplaceEdit(), "ABC");
  EXPECT_TRUE(replace.StartButton()->isEnabled());
}

TEST_F(FindPage, ResultListOpensAndForgetsDeletedFiles) {
  tree.Write("keep.txt", "x");
  const std::string gone = tree.Write("gone.txt", "x");
  CFindAndReplaceDlg page(Mode::Find, settings);
  page.LoadFromSettings();
  page.SetFolder(tree.path());
  page.OnStart();
  WaitIdle(page);
  ASSERT_EQ(page.Results()->rowCount(), 2);
  const int goneRow = page.Results()->Text(0) == "./gone.txt" ? 0 : 1;

  std::vector<QUrl> opened;
  qv::ui::SetUrlHook([&opened](const QUrl& u) {
    opened.push_back(u);
    return true;
  });
  emit page.ResultList()->openRequested(goneRow);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(QString::fromStdString(gone)));

  // Delete... through the context menu, confirmed: the row goes.
  qv::ui::SetMenuHook([](QMenu& menu) -> QAction* {
    for (QAction* a : menu.actions())
      if (a->text() == "&Delete...") return a;
    return nullptr;
  });
  answer = [](QDialog&) { return IDYES; };
  emit page.ResultList()->contextMenuRequested({goneRow}, QPoint());
  EXPECT_FALSE(tree.Exists("gone.txt"));
  ASSERT_EQ(page.Results()->rowCount(), 1);
  EXPECT_EQ(page.Results()->Text(0), "./keep.txt");

  // A file removed behind Quorvel's back: the menu is refused and the row removed.
  ::unlink((tree / "keep.txt").c_str());
  messages.clear();
  emit page.ResultList()->contextMenuRequested({0}, QPoint());
  EXPECT_EQ(messages, (std::vector<std::string>{qv::ui::kContextMenuMissingFiles}));
  EXPECT_EQ(page.Results()->rowCount(), 0);
}

// Screenshots of both pages after a run, for a look by eye.
TEST_F(FindPage, Screenshots) {
  tree.Write("notes/todo.txt", "needle");
  tree.Write("src/main.cpp", "needle");
  tree.Write("src/util.cpp", "needle needle");
  tree.Write("readme.md", "needle");
  QDir().mkpath(QV_SCREENSHOT_DIR);
  settings.WriteShownFirstRunForVersion(QuorvelVersion());
  CMainWindowDlg window(settings, {});
  ASSERT_TRUE(window.Initialise());  // loads the settings: change them afterwards
  settings.SetShowWarningReplace(0);
  settings.SetReplaceKeepBackupFiles(0);
  settings.SetShowWarningFileCounting(0);
  window.resize(900, 620);
  window.show();
  for (int module : {0, 1}) {
    window.SelectModule(module);
    auto* page = qobject_cast<CFindAndReplaceDlg*>(window.Page(module));
    page->SetFolder(tree.path());
    page->RecursiveBox()->setChecked(true);
    if (module == 0) settings.SetFindRecursively(1);
    else settings.SetReplaceRecursively(1);
    Type(page->FindEdit(), "needle");
    if (module == 1) Type(page->ReplaceEdit(), "pin");
    page->OnStart();
    WaitIdle(*page);
    QApplication::processEvents();
    EXPECT_EQ(page->Results()->rowCount(), 4);
    window.grab().save(QString(QV_SCREENSHOT_DIR) + QString("/page-%1.png").arg(module));
  }
  window.close();
}
