#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/stat.h>

#include <utility>

#include <gtest/gtest.h>

#include "common/TaskRunner.h"
#include "common/TempDir.h"
#include "core/FileError.h"
#include "toucher/TouchTask.h"
#include "toucher/TouchOptions.h"
#include "toucher/TouchTime.h"

namespace {

// Central European rules without tzdata: CET in winter, CEST from the last Sunday of March to
// the last Sunday of October.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* tz) {
    if (const char* old = std::getenv("TZ")) saved_ = old, hadOld_ = true;
    ::setenv("TZ", tz, 1);
    ::tzset();
  }
  ~ScopedTimeZone() {
    if (hadOld_)
      ::setenv("TZ", saved_.c_str(), 1);
    else
      ::unsetenv("TZ");
    ::tzset();
  }

 private:
  std::string saved_;
  bool hadOld_ = false;
};

TEST(TouchTime, ParsesOnlyRealDatesAndTimes) {
  struct Case {
    const char* text;
    bool ok;
  } cases[] = {
      {"2024-07-01 12:34:56", true},  {"2024-07-01T00:00:00", true},  {"2024-02-29 23:59:59", true},
      {"2023-02-29 12:00:00", false}, {"2024-13-01 12:00:00", false}, {"2024-04-31 12:00:00", false},
      {"2024-07-01 24:00:00", false}, {"2024-07-01 12:60:00", false}, {"2024-07-01", false},
      {"2024-07-01 12:00:00 ", false}, {"2024-7-1 12:00:00", false},  {"now", false},
  };
  for (auto& c : cases) {
    LocalCalendar t;
    EXPECT_EQ(ParseLocalTime(c.text, t), c.ok) << c.text;
  }
  LocalCalendar t;
  ASSERT_TRUE(ParseLocalTime("2024-07-01 12:34:56", t));
  EXPECT_EQ(t.year, 2024);
  EXPECT_EQ(t.month, 7);
  EXPECT_EQ(t.day, 1);
  EXPECT_EQ(t.hour, 12);
  EXPECT_EQ(t.minute, 34);
  EXPECT_EQ(t.second, 56);
}

// The offset comes from the chosen date, not from the day the touch runs: a summer noon is
// 10:00 UTC and a winter noon 11:00 UTC, whatever the season now.
TEST(TouchTime, UsesTheZoneRulesOfTheChosenDate) {
  ScopedTimeZone tz("CET-1CEST,M3.5.0,M10.5.0/3");
  struct Case {
    const char* local;
    std::int64_t utc;
  } cases[] = {
      {"2023-07-15 12:00:00", 1689415200},  // 10:00 UTC (CEST)
      {"2023-01-15 12:00:00", 1673780400},  // 11:00 UTC (CET)
      {"2023-10-29 01:59:59", 1698537599},  // last second of summer time: 23:59:59 UTC
      {"2023-10-29 03:00:00", 1698544800},  // after the change: 02:00 UTC
  };
  for (auto& c : cases) {
    LocalCalendar t;
    ASSERT_TRUE(ParseLocalTime(c.local, t));
    std::int64_t stamp = 0;
    ASSERT_TRUE(LocalTimeToStamp(t, stamp)) << c.local;
    EXPECT_EQ(stamp, c.utc) << c.local;
  }
}

// The same through a touch run: whatever the season of the run, the file's stored times are
// the chosen local times under that date's offset.
TEST(TouchTime, TouchStoresTimesAcrossDaylightSavingChanges) {
  ScopedTimeZone tz("CET-1CEST,M3.5.0,M10.5.0/3");
  TempDir dir;
  std::string f = dir.Write("f", "x");
  CTouchOptions o;
  o.names = {f};
  o.changeModified = o.changeAccessed = true;
  ASSERT_TRUE(ParseLocalTime("2023-07-15 12:00:00", o.modified));
  ASSERT_TRUE(ParseLocalTime("2023-01-15 12:00:00", o.accessed));
  CTouchTask task(o);
  EXPECT_EQ(RunTask(task).result, TOUCH_OK);
  struct stat st;
  ASSERT_EQ(::stat(f.c_str(), &st), 0);
  EXPECT_EQ(st.st_mtim.tv_sec, 1689415200);
  EXPECT_EQ(st.st_atim.tv_sec, 1673780400);
}

TEST(TouchOptionsCheck, RefusesWhatLinuxCannotDo) {
  struct Case {
    void (*set)(CTouchOptions&);
    const char* expected;  // a part of the message; nullptr for accepted options
  } cases[] = {
      {[](CTouchOptions&) {}, nullptr},
      {[](CTouchOptions& o) { o.readOnly = TOUCH_SET; }, nullptr},
      {[](CTouchOptions& o) { o.compression = TOUCH_CLEAR; }, nullptr},
      {[](CTouchOptions& o) { o.names.clear(); }, "No files"},
      {[](CTouchOptions& o) { o.changeCreated = true; }, "creation time"},
      {[](CTouchOptions& o) { o.hidden = TOUCH_SET; }, "hidden"},
      {[](CTouchOptions& o) { o.archive = TOUCH_CLEAR; }, "archive"},
      {[](CTouchOptions& o) { o.system = TOUCH_SET; }, "system"},
      {[](CTouchOptions& o) { o.notContentIndexed = TOUCH_SET; }, "content indexed"},
      {[](CTouchOptions& o) { o.encryption = TOUCH_SET; }, "encrypted"},
      {[](CTouchOptions& o) { o.changeModified = true; /* fields left at 0: no such date */ }, "modification time"},
  };
  for (auto& c : cases) {
    CTouchOptions o;
    o.names = {"/x"};
    c.set(o);
    std::string why = CheckTouchOptions(o);
    if (c.expected)
      EXPECT_NE(why.find(c.expected), std::string::npos) << why;
    else
      EXPECT_EQ(why, "");
  }
}

TEST(FileErrorText, AddsTheSystemMessageOnlyWhenThereIsOne) {
  EXPECT_EQ(FileErrorReasonText({"/a", TOUCH_ERROR_NOT_FOUND, 0}, TouchErrorText(TOUCH_ERROR_NOT_FOUND)),
            "File does not exist");
  EXPECT_EQ(FileErrorReasonText({"/a", TOUCH_ERROR_FILETIME, EPERM}, TouchErrorText(TOUCH_ERROR_FILETIME)),
            "Changing filetime failed: Operation not permitted");
  EXPECT_STREQ(RenameErrorText(RENAME_ERROR_NOT_FOUND), "File does not exist");
  EXPECT_STREQ(RenameErrorText(RENAME_ERROR_OTHER), "");
}

}  // namespace
