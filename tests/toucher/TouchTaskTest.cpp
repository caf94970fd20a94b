#include <cerrno>
#include <cstdlib>
#include <linux/fs.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>

#include <utility>

#include <gtest/gtest.h>

#include "common/TaskRunner.h"
#include "common/TempDir.h"
#include "core/Sys.h"
#include "toucher/TouchTask.h"
#include "toucher/TouchTime.h"

namespace {

// Restores the real system calls when a test ends, also when it fails.
struct SysGuard {
  qv::sys::Ops saved = qv::sys::ops();
  ~SysGuard() { qv::sys::ops() = saved; }
};

std::int64_t MTime(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? st.st_mtim.tv_sec : -1;
}
std::int64_t ATime(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? st.st_atim.tv_sec : -1;
}
mode_t Mode(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

LocalCalendar Time(const char* text) {
  LocalCalendar t;
  EXPECT_TRUE(ParseLocalTime(text, t)) << text;
  return t;
}

std::int64_t Stamp(const char* text) {
  std::int64_t s = 0;
  EXPECT_TRUE(LocalTimeToStamp(Time(text), s));
  return s;
}

CTouchOptions ModifiedAt(const char* when, std::vector<std::string> names) {
  CTouchOptions o;
  o.names = std::move(names);
  o.changeModified = true;
  o.modified = Time(when);
  return o;
}

int gOpens = 0;

TEST(TouchTask, WithEveryChoiceLeftTheFileIsNotOpened) {
  TempDir dir;
  std::string a = dir.Write("a.txt", "x");
  std::int64_t before = MTime(a);
  SysGuard guard;
  gOpens = 0;
  qv::sys::ops().open = [](const char* p, int f, mode_t m) {
    ++gOpens;
    return qv::sys::realOps().open(p, f, m);
  };
  CTouchOptions o;
  o.names = {a};
  CTouchTask task(o);
  TaskLog log = RunTask(task);
  EXPECT_EQ(log.result, TOUCH_OK);
  EXPECT_EQ(gOpens, 0);
  EXPECT_TRUE(task.Errors().empty());
  EXPECT_EQ(MTime(a), before);
  EXPECT_EQ(dir.Read("a.txt"), "x");
}

TEST(TouchTask, SetsModificationAndAccessTimesSeparately) {
  TempDir dir;
  std::string a = dir.Write("a.txt", "x");
  std::string b = dir.Write("b.txt", "x");

  CTouchOptions o = ModifiedAt("2021-03-04 05:06:07", {"a.txt", "b.txt"});
  o.folder = dir.path();  // names relative to the folder, as the page hands them
  o.changeAccessed = true;
  o.accessed = Time("2020-01-02 03:04:05");
  CTouchTask both(o);
  EXPECT_EQ(RunTask(both).result, TOUCH_OK);
  EXPECT_EQ(MTime(a), Stamp("2021-03-04 05:06:07"));
  EXPECT_EQ(ATime(a), Stamp("2020-01-02 03:04:05"));

  // A time that is not chosen stays as it is.
  CTouchTask onlyModified(ModifiedAt("2019-09-09 09:09:09", {b}));
  RunTask(onlyModified);
  EXPECT_EQ(MTime(b), Stamp("2019-09-09 09:09:09"));
  EXPECT_EQ(ATime(b), Stamp("2020-01-02 03:04:05"));
}

// A selected folder is never touched itself; its files (all levels down) only with the
// subfolder switch and only when they match the filter, while selected files are touched
// whether they match or not.
TEST(TouchTask, SelectedFoldersFollowTheSubfolderSwitchAndFilter) {
  struct Case {
    bool subfolders;
    std::vector<std::string> touched;
  } cases[] = {
      {false, {"top.log"}},
      {true, {"top.log", "photos/a.txt", "photos/deep/b.txt"}},
  };
  for (auto& c : cases) {
    TempDir dir;
    for (const char* f : {"top.log", "photos/a.txt", "photos/c.log", "photos/deep/b.txt", "photos/deep/d.bin"})
      dir.Write(f, "x");
    ::symlink((dir / "top.log").c_str(), (dir / "photos/link.txt").c_str());
    std::int64_t target = Stamp("2001-01-01 00:00:00");
    CTouchOptions o = ModifiedAt("2001-01-01 00:00:00", {dir / "top.log", dir / "photos"});
    o.touchSubfolders = c.subfolders;
    o.subfolderFilter = "*.txt";
    CTouchTask task(o);
    TaskLog log = RunTask(task);
    EXPECT_EQ(log.result, TOUCH_OK);
    for (const char* f : {"top.log", "photos/a.txt", "photos/c.log", "photos/deep/b.txt", "photos/deep/d.bin"}) {
      bool expected = std::find(c.touched.begin(), c.touched.end(), f) != c.touched.end();
      EXPECT_EQ(MTime(dir / f) == target, expected) << f << " subfolders=" << c.subfolders;
    }
    EXPECT_NE(MTime(dir / "photos"), target);
    if (c.subfolders) {
      // Each folder the walk enters is announced, then an empty current-file message.
      auto texts = log.Texts(WM_TASK_CURRENTFILE);
      EXPECT_EQ(texts.size(), 2u);
      EXPECT_EQ(texts[0], dir / "photos");
    }
  }
}

TEST(TouchTask, ReadOnlyClearsAllWriteBitsAndClearGivesTheOwnerWrite) {
  struct Case {
    mode_t before;
    TouchChoice choice;
    mode_t after;
  } cases[] = {
      {0664, TOUCH_SET, 0444},   {0644, TOUCH_SET, 0444},   {0444, TOUCH_SET, 0444},
      {0444, TOUCH_CLEAR, 0644}, {0400, TOUCH_CLEAR, 0600}, {0666, TOUCH_CLEAR, 0666},
      {0755, TOUCH_LEAVE, 0755},
  };
  for (auto& c : cases) {
    TempDir dir;
    std::string f = dir.Write("f", "x", c.before);
    CTouchOptions o;
    o.names = {f};
    o.readOnly = c.choice;
    CTouchTask task(o);
    EXPECT_EQ(RunTask(task).result, TOUCH_OK);
    EXPECT_EQ(Mode(f), c.after) << std::oct << c.before << " choice " << c.choice;
  }
}

TEST(TouchTask, MissingFilesAndInvalidFilterAreReported) {
  TempDir dir;
  std::string a = dir.Write("a.txt", "x");
  CTouchTask missing(ModifiedAt("2001-01-01 00:00:00", {dir / "gone.txt", a}));
  EXPECT_EQ(RunTask(missing).result, TOUCH_FAILED);
  ASSERT_EQ(missing.Errors().size(), 1u);
  EXPECT_EQ(missing.Errors()[0], (CFileError{dir / "gone.txt", TOUCH_ERROR_NOT_FOUND, 0}));
  EXPECT_EQ(MTime(a), Stamp("2001-01-01 00:00:00"));  // the run went on

  std::string b = dir.Write("sub/b.txt", "x");
  std::int64_t before = MTime(b);
  CTouchOptions o = ModifiedAt("2001-01-01 00:00:00", {dir / "sub"});
  o.touchSubfolders = true;
  o.useRegex = true;
  o.subfolderFilter = "[a-";
  CTouchTask invalid(o);
  EXPECT_EQ(RunTask(invalid).result, TOUCH_INVALID_FILTER);
  EXPECT_EQ(MTime(b), before);
}

// Each failing step adds its own reason with the errno, and the other steps still run; a failed
// open skips the times.
TEST(TouchTask, FailingCallsBecomeErrorsWithTheSystemReason) {
  struct Case {
    const char* name;
    void (*inject)(qv::sys::Ops&);
    std::int32_t reason;
    int err;
    bool timeSet;
    bool readOnlySet;
  } cases[] = {
      {"open", [](qv::sys::Ops& o) { o.open = [](const char*, int, mode_t) { errno = EACCES; return -1; }; },
       TOUCH_ERROR_OPEN, EACCES, false, true},
      {"futimens", [](qv::sys::Ops& o) { o.futimens = [](int, const timespec*) { errno = EPERM; return -1; }; },
       TOUCH_ERROR_FILETIME, EPERM, false, true},
      {"chmod", [](qv::sys::Ops& o) { o.chmod = [](const char*, mode_t) { errno = EROFS; return -1; }; },
       TOUCH_ERROR_ATTRIBUTES, EROFS, true, false},
  };
  for (auto& c : cases) {
    TempDir dir;
    std::string f = dir.Write("f", "x", 0644);
    SysGuard guard;
    c.inject(qv::sys::ops());
    CTouchOptions o = ModifiedAt("2001-01-01 00:00:00", {f});
    o.readOnly = TOUCH_SET;
    CTouchTask task(o);
    EXPECT_EQ(RunTask(task).result, TOUCH_FAILED) << c.name;
    ASSERT_EQ(task.Errors().size(), 1u) << c.name;
    EXPECT_EQ(task.Errors()[0], (CFileError{f, c.reason, c.err})) << c.name;
    EXPECT_EQ(MTime(f) == Stamp("2001-01-01 00:00:00"), c.timeSet) << c.name;
    EXPECT_EQ(Mode(f) == 0444, c.readOnlySet) << c.name;
  }
}

int gSetFlags = -1;

TEST(TouchTask, CompressionOnlyWhereTheFileSystemCompresses) {
  TempDir dir;
  std::string f = dir.Write("f", "x", 0644);
  std::string ro = dir.Write("ro", "x", 0444);

  // ext4 and tmpfs keep FS_COMPR_FL without compressing: refused rather than faked.
  {
    CTouchOptions o;
    o.names = {f};
    o.compression = TOUCH_SET;
    CTouchTask task(o);
    EXPECT_EQ(RunTask(task).result, TOUCH_FAILED);
    ASSERT_EQ(task.Errors().size(), 1u);
    EXPECT_EQ(task.Errors()[0], (CFileError{f, TOUCH_ERROR_COMPRESSION, EOPNOTSUPP}));
  }

  // On btrfs the flag is set through FS_IOC_SETFLAGS; a read-only file is not opened for it.
  SysGuard guard;
  qv::sys::ops().fstatfs = [](int, struct statfs* s) {
    *s = {};
    s->f_type = BTRFS_SUPER_MAGIC;
    return 0;
  };
  gSetFlags = -1;
  qv::sys::ops().ioctl = [](int, unsigned long request, void* arg) {
    if (request == FS_IOC_GETFLAGS) *static_cast<int*>(arg) = 0;
    if (request == FS_IOC_SETFLAGS) gSetFlags = *static_cast<int*>(arg);
    return 0;
  };
  CTouchOptions o;
  o.names = {f, ro};
  o.compression = TOUCH_SET;
  CTouchTask task(o);
  EXPECT_EQ(RunTask(task).result, TOUCH_FAILED);
  EXPECT_EQ(gSetFlags, FS_COMPR_FL);
  ASSERT_EQ(task.Errors().size(), 1u);
  EXPECT_EQ(task.Errors()[0], (CFileError{ro, TOUCH_ERROR_OPEN, EACCES}));
}

CWorkerTask* gStopTask = nullptr;

// Cancelling ends the whole run: the file being touched is finished, the rest stay as they were.
TEST(TouchTask, CancellingLeavesTheRemainingItemsUntouched) {
  TempDir dir;
  std::string a = dir.Write("a", "x");
  std::string b = dir.Write("b", "x");
  std::int64_t before = MTime(b);
  CTouchTask task(ModifiedAt("2001-01-01 00:00:00", {a, b}));
  SysGuard guard;
  gStopTask = &task;
  qv::sys::ops().futimens = [](int fd, const timespec* t) {
    if (gStopTask) std::exchange(gStopTask, nullptr)->SignalStop();
    return qv::sys::realOps().futimens(fd, t);
  };
  EXPECT_EQ(RunTask(task).result, TOUCH_OK);
  EXPECT_EQ(MTime(a), Stamp("2001-01-01 00:00:00"));
  EXPECT_EQ(MTime(b), before);
}

}  // namespace
