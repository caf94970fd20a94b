#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "common/TempDir.h"
#include "settings/FolderIdList.h"
#include "settings/Settings.h"

namespace {

class SettingsTest : public ::testing::Test {
 protected:
  std::string ProfileText() const { return dir.Read("Ambrel/Quorvel.ini"); }
  void WriteProfile(const std::string& text) const { dir.Write("Ambrel/Quorvel.ini", text); }

  TempDir dir;
  std::string profile = dir / "Ambrel/Quorvel.ini";
  CSettings s{profile};
};

// Counts how often each of the five value signals fired and with which values.
struct SignalLog {
  explicit SignalLog(CSettings& s) {
    s.FolderSizeListerSizeFormatChanged.connect([this](int v) { fired.push_back("SizeFormat=" + std::to_string(v)); });
    s.ShowOutlookBarToolTipsChanged.connect([this](int v) { fired.push_back("ToolTips=" + std::to_string(v)); });
    s.UseTrueRegexpFiltersChanged.connect([this](int v) { fired.push_back("Regexp=" + std::to_string(v)); });
    s.DoNotAddQVToShellContextMenusChanged.connect([this](int v) { fired.push_back("NoMenus=" + std::to_string(v)); });
    s.ShowSmallOutlookBarIconsChanged.connect([this](int v) { fired.push_back("SmallIcons=" + std::to_string(v)); });
    s.HistoriesChanged.connect([this] { fired.push_back("Histories"); });
  }
  std::vector<std::string> fired;
};

TEST_F(SettingsTest, HistoryKeepsAtMost101AndMovesExactDuplicatesToTheEnd) {
  s.AddToHistory(History::Filter, "ABC");
  s.AddToHistory(History::Filter, "abc");
  EXPECT_EQ(s.HistoryEntries(History::Filter), (std::vector<std::string>{"ABC", "abc"}));
  s.AddToHistory(History::Filter, "ABC");
  EXPECT_EQ(s.HistoryEntries(History::Filter), (std::vector<std::string>{"abc", "ABC"}));

  for (int i = 0; i < 101; ++i) s.AddToHistory(History::FindText, "t" + std::to_string(i));
  EXPECT_EQ(s.HistoryEntries(History::FindText).size(), 101u);
  // Using an entry again does not push the oldest out.
  s.AddToHistory(History::FindText, "t50");
  EXPECT_EQ(s.HistoryEntries(History::FindText).size(), 101u);
  EXPECT_EQ(s.HistoryEntries(History::FindText).front(), "t0");
  EXPECT_EQ(s.HistoryEntries(History::FindText).back(), "t50");
  // The 102nd distinct text does.
  s.AddToHistory(History::FindText, "new");
  EXPECT_EQ(s.HistoryEntries(History::FindText).size(), 101u);
  EXPECT_EQ(s.HistoryEntries(History::FindText).front(), "t1");
  EXPECT_EQ(s.HistoryEntries(History::FindText).back(), "new");
  EXPECT_TRUE(s.HistoryEntries(History::ReplaceText).empty());
}

TEST_F(SettingsTest, HistoriesSaveInOrderAndLoadInFileOrder) {
  for (int i = 0; i < 12; ++i) s.AddToHistory(History::PrintFormat, "f" + std::to_string(i));
  s.AddToHistory(History::PrintFormat, "");  // empty entries are not written
  s.AddToHistory(History::FilenameFormat, " spaced = [x] ; y ");
  ASSERT_TRUE(s.Save());
  struct stat st;
  ASSERT_EQ(::stat(profile.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u) << "a new profile is the user's alone";

  CSettings back(profile);
  back.AddToHistory(History::PrintFormat, "kept");  // a load adds to what is there
  back.Load();
  std::vector<std::string> expected{"kept"};
  for (int i = 0; i < 12; ++i) expected.push_back("f" + std::to_string(i));
  EXPECT_EQ(back.HistoryEntries(History::PrintFormat), expected) << "\"10\" must follow \"9\"";
  EXPECT_EQ(back.HistoryEntries(History::FilenameFormat), (std::vector<std::string>{" spaced = [x] ; y "}));

  // Entry names are not interpreted.
  WriteProfile("[HistFilter]\ny=second? no, first\nx=then this\ny=then this\n");
  CSettings named(profile);
  named.Load();
  EXPECT_EQ(named.HistoryEntries(History::Filter), (std::vector<std::string>{"second? no, first", "then this"}));
}

TEST_F(SettingsTest, BackupFolderIsNormalisedWhenSet) {
  const struct {
    const char* set;
    const char* stored;
  } cases[] = {
      {"/var/bak", "/var/bak/"}, {"/var/bak/", "/var/bak/"}, {"C:\\bak", "C:\\bak/"}, {"C:\\bak\\", "C:\\bak\\"},
      {".", "."},                {"", "."},                  {"./old", "./old/"},
  };
  for (const auto& c : cases) {
    s.SetBackupFolder(c.set);
    EXPECT_EQ(s.BackupFolder(), c.stored) << '"' << c.set << '"';
  }
  WriteProfile("[General]\nBackupFolder=\n");
  s.Load();
  EXPECT_EQ(s.BackupFolder(), ".") << "an empty stored folder would mean the root folder";
}

TEST_F(SettingsTest, LoadReadsValuesExactlyAndDefaultsMissingOnes) {
  WriteProfile(
      "[General]\nFindRecursively=7\nPrintFontSize=-12\nFindFolder=  /d/x  \nComparerFilter=\"  *.c \"\n"
      "ReplaceKeepBackupFiles=0\nRenameFolderPIDL=DAAABGAAAA\nToucherFolderPIDL=JAAAGAAAAA\n"
      "FolderSizeListerFolderPIDL=AAAAAA\n");
  EXPECT_TRUE(s.Load());
  EXPECT_EQ(s.FindRecursively(), 7);
  EXPECT_EQ(s.PrintFontSize(), -12);
  EXPECT_EQ(s.FindFolder(), "/d/x") << "unquoted blanks are not part of a value";
  EXPECT_EQ(s.ComparerFilter(), "  *.c ");
  EXPECT_EQ(s.ReplaceKeepBackupFiles(), 0);
  EXPECT_EQ(s.AFRKeepBackupFiles(), 1) << "missing key";
  EXPECT_EQ(s.BackupFolder(), ".");
  EXPECT_EQ(s.FolderOf(SettingId::RenameFolderPIDL), "/a");
  EXPECT_TRUE(s.ToucherFolderPIDL().empty()) << "an item running past the end is ignored";
  EXPECT_TRUE(s.FolderSizeListerFolderPIDL().empty()) << "bytes after the terminator are ignored";
}

TEST_F(SettingsTest, FolderValuesAreValidatedWhenSet) {
  s.SetFolder(SettingId::ToucherFolderPIDL, "/srv/data");
  EXPECT_EQ(s.FolderOf(SettingId::ToucherFolderPIDL), "/srv/data");
  EXPECT_FALSE(s.SetToucherFolderPIDL({5, 0, 'a'}));
  EXPECT_TRUE(s.ToucherFolderPIDL().empty());
  EXPECT_TRUE(s.SetRenameFolderPIDL({}));
  EXPECT_EQ(s.FolderOf(SettingId::RenameFolderPIDL), "");
  EXPECT_EQ(s.FolderOf(SettingId::FindRecursively), "") << "not a folder value";
}

TEST_F(SettingsTest, ValueSignalsFireOncePerLoadAndOnChanges) {
  WriteProfile("[General]\nUseTrueRegexpFilters=1\nFolderSizeListerSizeFormat=3\n");
  SignalLog log(s);
  int seenDuringSignal = -1;
  s.UseTrueRegexpFiltersChanged.connect([&](int) { seenDuringSignal = s.UseTrueRegexpFilters(); });
  s.Load();
  EXPECT_EQ(log.fired, (std::vector<std::string>{"SizeFormat=3", "ToolTips=1", "Regexp=1", "NoMenus=0", "SmallIcons=0"}));
  EXPECT_EQ(seenDuringSignal, 1) << "fires after the value is read";

  log.fired.clear();
  s.SetUseTrueRegexpFilters(1);  // unchanged
  s.SetShowSmallOutlookBarIcons(1);
  s.SetFindRecursively(1);  // no signal of its own
  s.DeleteHistory(History::Filter);
  EXPECT_EQ(log.fired, (std::vector<std::string>{"SmallIcons=1", "Histories"}));

  log.fired.clear();
  s.AddToHistory(History::Filter, "*.x");
  s.SetBackupFolder("/bak");
  s.RestoreDefaults();
  EXPECT_EQ(log.fired, (std::vector<std::string>{"SizeFormat=0", "Regexp=0", "SmallIcons=0"}));
  EXPECT_EQ(s.BackupFolder(), ".");
  EXPECT_EQ(s.FindRecursively(), 0);
  EXPECT_EQ(s.HistoryEntries(History::Filter), (std::vector<std::string>{"*.x"})) << "defaults keep histories";
}

TEST_F(SettingsTest, ShellMenuSwitchReachesTheProfileAtOnceOthersWaitForSave) {
  WriteProfile("[General]\nFindFilter=*.old\nShownFirstRunForVersion=1.2\n");
  s.Load();
  s.SetFindFilter("*.new");
  s.SetDoNotAddQVToShellContextMenus(1);
  std::string text = ProfileText();
  EXPECT_NE(text.find("DoNotAddQVToShellContextMenus=1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("FindFilter=*.old\n"), std::string::npos) << text;
  EXPECT_NE(text.find("ShownFirstRunForVersion=1.2\n"), std::string::npos) << text;
}

TEST_F(SettingsTest, SaveKeepsWhatTheObjectDoesNotOwn) {
  WriteProfile("[General]\nShownFirstRunForVersion=2.0\nSomethingElse=keep me\n[Other]\nk=v\n");
  ASSERT_TRUE(s.WriteWindowPlacement("MainWnd", {0x3C, 0x01}));
  s.Load();
  s.SetFindFolder("/x");
  ASSERT_TRUE(s.Save());

  CSettings back(profile);
  back.Load();
  EXPECT_EQ(back.FindFolder(), "/x");
  EXPECT_EQ(back.ReadShownFirstRunForVersion(), "2.0");
  EXPECT_EQ(back.ReadWindowPlacement("MainWnd"), (Bytes{0x3C, 0x01}));
  EXPECT_TRUE(back.ReadWindowPlacement("OptionsDlg").empty());
  EXPECT_NE(ProfileText().find("[Other]\nk=v\n"), std::string::npos);
  EXPECT_NE(ProfileText().find("SomethingElse=keep me\n"), std::string::npos);
  EXPECT_NE(ProfileText().find("MainWnd=MDBA\n"), std::string::npos);

  struct stat st;
  ASSERT_EQ(::stat(profile.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u) << "an existing profile keeps its permissions";
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"Ambrel/", "Ambrel/Quorvel.ini"})) << "no temporary file left";

  EXPECT_TRUE(back.WriteShownFirstRunForVersion("3.1"));
  EXPECT_EQ(s.ReadShownFirstRunForVersion(), "3.1");
  TempDir empty;
  EXPECT_EQ(CSettings(empty / "none.ini").ReadShownFirstRunForVersion(), "0.0");
}

TEST_F(SettingsTest, DamagedProfileIsKeptAsideAndDefaultsUsed) {
  const std::string damaged = "[General]\nFindFolder=/mine\nthis line is not INI\n";
  WriteProfile(damaged);
  dir.Write("Ambrel/Quorvel.ini.corrupt", "an older copy");
  s.SetFindFolder("/in memory");

  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(s.Load());
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("line 3"), std::string::npos) << err;
  EXPECT_NE(s.LoadProblem().find("Quorvel.ini.corrupt.1"), std::string::npos) << s.LoadProblem();
  EXPECT_EQ(s.FindFolder(), "") << "defaults, not half of the damaged file";
  EXPECT_EQ(dir.Read("Ambrel/Quorvel.ini.corrupt.1"), damaged);
  EXPECT_EQ(dir.Read("Ambrel/Quorvel.ini.corrupt"), "an older copy");
  EXPECT_FALSE(dir.Exists("Ambrel/Quorvel.ini"));

  ASSERT_TRUE(s.Save());
  ::testing::internal::CaptureStderr();
  CSettings again(profile);
  EXPECT_TRUE(again.Load());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "said once, not at every start";
  EXPECT_EQ(again.LoadProblem(), "");
}

TEST_F(SettingsTest, ProfileThatIsNotAFileIsMovedAsideToo) {
  dir.MakeDir("Ambrel/Quorvel.ini/inner");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(s.Load());
  ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(dir.Exists("Ambrel/Quorvel.ini.corrupt/inner"));
  EXPECT_TRUE(s.Save());
}

TEST_F(SettingsTest, DamagedProfileThatCannotBeMovedIsNeverOverwritten) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores the folder's permissions";
  WriteProfile("garbage\n");
  ::chmod((dir / "Ambrel").c_str(), 0555);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(s.Load());
  ::testing::internal::GetCapturedStderr();
  std::string error;
  EXPECT_FALSE(s.Save(&error));
  EXPECT_NE(error.find("not saved"), std::string::npos) << error;
  ::chmod((dir / "Ambrel").c_str(), 0755);
  EXPECT_EQ(ProfileText(), "garbage\n");
}

TEST_F(SettingsTest, StatusSinkGetsTheModuleTexts) {
  s.NotifyModuleStarted("Find");  // no sink yet: nothing happens
  std::vector<std::string> texts;
  s.SetStatusSink([&](const std::string& t) { texts.push_back(t); });
  s.NotifyModuleStarted("Find And Replace");
  s.NotifyModuleFinished("File Toucher");
  EXPECT_EQ(texts, (std::vector<std::string>{"Module \"Find And Replace\" has started",
                                             "Module \"File Toucher\" has finished"}));
}

TEST(SettingsProfilePathTest, FollowsXdgConfigHome) {
  const std::string saved = std::getenv("XDG_CONFIG_HOME");
  ::setenv("XDG_CONFIG_HOME", "/somewhere/else", 1);
  EXPECT_EQ(CSettings::DefaultProfilePath(), "/somewhere/else/Ambrel/Quorvel.ini");
  ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

}  // namespace
