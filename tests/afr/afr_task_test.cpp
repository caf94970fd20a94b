// Script runs over folder trees and the clipboard: rows, statuses, backups and restores.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "AfrTestSupport.h"
#include "afr/AdvFindAndReplaceTask.h"
#include "common/TaskRunner.h"
#include "common/TempDir.h"
#include "core/Sys.h"

using namespace afrtest;

namespace {

std::vector<CTaskResultRow> SortedRows(const TaskLog& log) {
  auto rows = log.Rows();
  std::sort(rows.begin(), rows.end(), [](auto& a, auto& b) { return a.path < b.path; });
  return rows;
}

CTaskResultRow Row(int count, const std::string& path, const std::string& message) {
  CTaskResultRow r;
  r.count = count;
  r.isError = message == "OK" ? 0 : 1;
  r.path = path;
  r.message = message;
  return r;
}

CAfrScript CatToDog() {
  CAfrScript s;
  s.rules.push_back(Rule(Find("cat"), Replace("dog")));
  return s;
}

struct OpsGuard {
  qv::sys::Ops saved = qv::sys::ops();
  ~OpsGuard() { qv::sys::ops() = saved; }
};

class AfrTask : public testing::Test {
 protected:
  TaskLog Run(CAfrScript& script, AfrTaskOptions o = {}) {
    if (o.rootFolder.empty()) o.rootFolder = dir.path();
    CAdvFindAndReplaceTask task(o, script);
    return RunTask(task);
  }
  TempDir dir;
};

TEST_F(AfrTask, RewritesEverySelectedFileAndListsIt) {
  dir.Write("a.txt", "cat\ncat");
  dir.Write("b.log", "cat");
  dir.Write("sub/c.txt", "no match\r\n");
  CAfrScript s = CatToDog();
  AfrTaskOptions o;
  o.filter = "*.txt";
  o.recursive = true;
  TaskLog log = Run(s, o);
  EXPECT_EQ(log.result, 0);
  EXPECT_EQ(SortedRows(log), (std::vector<CTaskResultRow>{Row(2, dir / "a.txt", "OK"), Row(0, dir / "sub/c.txt", "OK")}));
  EXPECT_EQ(dir.Read("a.txt"), "dog\ndog");
  EXPECT_EQ(dir.Read("b.log"), "cat");
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"a.txt", "b.log", "sub/", "sub/c.txt"}));
  EXPECT_EQ(log.Count(WM_TASK_STEP), 2);
  auto statuses = log.Texts(WM_TASK_STATUS);
  EXPECT_EQ(statuses.front(), "Counting files...");
  for (const char* s : {"Searching in: .", "Searching in: ./sub", "Executing rule 1/1 on: ./a.txt",
                        "Executing rule 1/1 on: ./sub/c.txt"})
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), s), statuses.end()) << s;
  auto total = std::find_if(log.messages.begin(), log.messages.end(), [](auto& m) { return m.id == WM_TASK_TOTAL; });
  ASSERT_NE(total, log.messages.end());
  EXPECT_EQ(total->number(), 2);
}

TEST_F(AfrTask, AllRulesDisabledStillRewritesWithBackups) {
  dir.Write("a.txt", "cat");
  CAfrScript s;
  s.rules.push_back(Rule(Find("cat"), Replace("dog"), 0));
  AfrTaskOptions o;
  o.keepBackups = true;
  o.countingDisabled = true;
  TaskLog log = Run(s, o);
  EXPECT_EQ(log.result, 0);
  EXPECT_EQ(log.Rows(), std::vector<CTaskResultRow>{Row(0, dir / "a.txt", "OK")});
  EXPECT_EQ(dir.Read("a.txt.backup"), "cat");
  EXPECT_EQ(log.Texts(WM_TASK_STATUS), std::vector<std::string>{"Searching in: ."});
}

TEST_F(AfrTask, FailingRuleRestoresTheFileAndTheWalkGoesOn) {
  dir.Write("a.txt", "cat\ncat");
  dir.Write("b.txt", "cat");
  CAfrScript s = CatToDog();
  auto broken = Replace("x");
  broken->initialized = 0;
  s.rules.push_back(Rule(True(), std::move(broken)));
  TaskLog log = Run(s);
  EXPECT_EQ(log.result, 1);
  const std::string msg = "Error in rule 2: Data initialization error. Original file has been restored.";
  EXPECT_EQ(SortedRows(log), (std::vector<CTaskResultRow>{Row(2, dir / "a.txt", msg), Row(1, dir / "b.txt", msg)}));
  EXPECT_EQ(dir.Read("a.txt"), "cat\ncat");
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST_F(AfrTask, RulesWithoutActionsAreSkippedAndNumbersCountEveryRule) {
  dir.Write("a.txt", "x");
  CAfrScript s;
  s.rules.push_back(Rule(True(), nullptr));
  s.rules.push_back(Rule(True(), Prepend(">")));
  AfrTaskOptions o;
  o.countingDisabled = true;
  TaskLog log = Run(s, o);
  EXPECT_EQ(log.Rows(), std::vector<CTaskResultRow>{Row(1, dir / "a.txt", "OK")});
  EXPECT_EQ(log.Texts(WM_TASK_STATUS), (std::vector<std::string>{"Searching in: .", "Executing rule 2/2 on: ./a.txt"}));
  EXPECT_EQ(dir.Read("a.txt"), ">x");
}

TEST_F(AfrTask, EmptyFileHasOneLine) {
  dir.Write("e.txt", "");
  CAfrScript s;
  s.rules.push_back(Rule(True(), Prepend(">")));
  TaskLog log = Run(s);
  EXPECT_EQ(log.Rows(), std::vector<CTaskResultRow>{Row(1, dir / "e.txt", "OK")});
  EXPECT_EQ(dir.Read("e.txt"), ">");
}

TEST_F(AfrTask, FilesThatAreNotProcessed) {
  dir.Write("ro.txt", "cat", 0444);
  dir.Write("u.txt", std::string("\xFF\xFE" "c\0a\0t\0", 8));
  {
    // A hole without any block: sparse on every Linux file system.
    int fd = ::open((dir / "sparse.txt").c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_EQ(::ftruncate(fd, 1 << 20), 0);
    ::close(fd);
  }
  dir.Write("target/t.txt", "cat");
  ASSERT_EQ(::symlink((dir / "target/t.txt").c_str(), (dir / "link.txt").c_str()), 0);
  ASSERT_EQ(::mkfifo((dir / "fifo.txt").c_str(), 0644), 0);
  CAfrScript s = CatToDog();
  TaskLog log = Run(s);
  EXPECT_EQ(log.result, 1);
  EXPECT_EQ(SortedRows(log),
            (std::vector<CTaskResultRow>{
                Row(0, dir / "ro.txt", "Error, file is read-only."),
                Row(0, dir / "sparse.txt",
                    "Sparse file, skipped! See help file for information on how to enable processing of sparse files."),
                Row(0, dir / "u.txt", "Unicode files requires the Unicode version of Ambrel Quorvel"),
            }));
  EXPECT_EQ(dir.Read("target/t.txt"), "cat");
  EXPECT_EQ(dir.Read("ro.txt"), "cat");
  EXPECT_EQ(log.Count(WM_TASK_STEP), 3);

  AfrTaskOptions o;
  o.processSparse = true;
  o.filter = "sparse.txt";
  log = Run(s, o);
  EXPECT_EQ(log.Rows(), std::vector<CTaskResultRow>{Row(0, dir / "sparse.txt", "OK")});
}

TEST_F(AfrTask, BackupsMadeInTheWalkedTreeAreNotProcessed) {
  dir.Write("a.txt", "cat");
  dir.Write("z/b.txt", "cat");
  CAfrScript s = CatToDog();
  AfrTaskOptions o;
  o.recursive = true;
  o.keepBackups = true;
  o.backupFolder = "./";  // next to each file, under the same names the walk meets
  TaskLog log = Run(s, o);
  EXPECT_EQ(log.result, 0);
  EXPECT_EQ(SortedRows(log), (std::vector<CTaskResultRow>{Row(1, dir / "a.txt", "OK"), Row(1, dir / "z/b.txt", "OK")}));
  EXPECT_EQ(dir.Read("z/b.txt.backup"), "cat");
}

TEST_F(AfrTask, InvalidFilterEndsWithCode2) {
  CAfrScript s = CatToDog();
  AfrTaskOptions o;
  o.filter = "[a-";
  o.useRegexFilters = true;
  TaskLog log = Run(s, o);
  EXPECT_EQ(log.result, 2);
  EXPECT_TRUE(log.Rows().empty());
}

TEST_F(AfrTask, StopBeforeTheFirstFileEndsWithCode1) {
  dir.Write("a.txt", "cat");
  CAfrScript s = CatToDog();
  AfrTaskOptions o;
  o.rootFolder = dir.path();
  CAdvFindAndReplaceTask task(o, s);
  task.SignalStop();
  TaskLog log = RunTask(task);
  // Either the stop came before the thread looked, or the one file was finished first.
  if (log.Rows().empty()) {
    EXPECT_EQ(log.result, 1);
    EXPECT_EQ(dir.Read("a.txt"), "cat");
  }
}

int gCalls = 0;

struct FailureCase {
  const char* what;
  void (*inject)();
  const char* message;  // {path} and {backup} stand for the file's and the backup's path
  bool backupLeft;
};

const FailureCase kFailures[] = {
    {"short write then no space",
     [] {
       qv::sys::ops().write = [](int fd, const void* b, size_t n) -> ssize_t {
         if (++gCalls == 1) return ::write(fd, b, n / 2);
         errno = ENOSPC;
         return -1;
       };
     },
     "Error while writing to file: {path} Original file has been restored.", false},
    {"truncating open refused",
     [] {
       qv::sys::ops().open = [](const char* p, int f, mode_t m) {
         if (f & O_TRUNC) {
           errno = EACCES;
           return -1;
         }
         return ::open(p, f, m);
       };
     },
     "Error, cannot write to file: {path} Original file has been restored.", false},
    {"no memory for the text",
     [] { qv::sys::ops().alloc = [](size_t) -> void* { return nullptr; }; },
     "Error while allocating memory. Original file has been restored.", false},
    {"backup reads short",
     [] {
       qv::sys::ops().read = [](int fd, void* b, size_t n) -> ssize_t {
         // The backup copy itself goes through copy_file_range; reads are the load.
         return ++gCalls == 1 ? ::read(fd, b, n > 2 ? 2 : n) : 0;
       };
     },
     "Couldn't read the entire source file. Original file has been restored.", false},
    {"backup cannot be made",
     [] {
       qv::sys::ops().open = [](const char* p, int f, mode_t m) {
         if (f & O_EXCL) {
           errno = ENOSPC;
           return -1;
         }
         return ::open(p, f, m);
       };
     },
     "Couldn't create backup file: \"{backup}\"", false},
    {"restore refused after a failed write",
     [] {
       qv::sys::ops().write = [](int, const void*, size_t) -> ssize_t {
         errno = EIO;
         return -1;
       };
       qv::sys::ops().rename = [](const char*, const char*) {
         errno = EACCES;
         return -1;
       };
     },
     "Error while writing to file: {path} The original file could not be restored; its contents are kept in the "
     "backup file \"{backup}\".",
     true},
};

std::string Fill(std::string text, const std::string& path, const std::string& backup) {
  for (auto [key, value] : {std::pair<std::string, std::string>{"{path}", path}, {"{backup}", backup}}) {
    for (size_t p; (p = text.find(key)) != std::string::npos;) text.replace(p, key.size(), value);
  }
  return text;
}

TEST_F(AfrTask, InjectedFailuresLeaveTheFileAsItWas) {
  const std::string original = "one cat\ntwo cats\n";
  for (const auto& c : kFailures) {
    TempDir d;
    std::string path = d.Write("a.txt", original);
    CAfrScript s = CatToDog();
    AfrTaskOptions o;
    o.rootFolder = d.path();
    o.countingDisabled = true;
    TaskLog log;
    {
      OpsGuard guard;
      gCalls = 0;
      c.inject();
      CAdvFindAndReplaceTask task(o, s);
      log = RunTask(task);
    }
    EXPECT_EQ(log.result, 1) << c.what;
    ASSERT_EQ(log.Rows().size(), 1u) << c.what;
    EXPECT_EQ(log.Rows()[0].message, Fill(c.message, path, path + ".backup")) << c.what;
    EXPECT_EQ(log.Rows()[0].isError, 1) << c.what;
    if (c.backupLeft) {
      EXPECT_EQ(d.Read("a.txt.backup"), original) << c.what;
    } else {
      EXPECT_EQ(d.Read("a.txt"), original) << c.what;
      EXPECT_EQ(d.List(), std::vector<std::string>{"a.txt"}) << c.what;
    }
  }
}

class FakeClipboard : public IAfrClipboard {
 public:
  std::string text;
  bool hasText = true, canOpen = true, canGet = true, canSet = true;
  int opened = 0;
  bool HasText() override { return hasText; }
  bool Open() override { return canOpen && ++opened; }
  bool GetText(std::string& t) override {
    t = text;
    return canGet;
  }
  bool SetText(const std::string& t) override {
    if (canSet) text = t;
    return canSet;
  }
  void Close() override { --opened; }
};

TEST(AfrClipboardRun, Cases) {
  struct ClipCase {
    const char* what;
    void (*setup)(FakeClipboard&);
    std::string after;
    int count;
    std::string message;
  } cases[] = {
      {"replaced", [](FakeClipboard&) {}, "dog\ndog", 2, "OK"},
      {"up to the first zero byte", [](FakeClipboard& c) { c.text = std::string("cat\0cat", 7); }, "dog", 1, "OK"},
      {"no text", [](FakeClipboard& c) { c.hasText = false; }, "cat\ncat", 0, "There is no text available on the clipboard."},
      {"cannot open", [](FakeClipboard& c) { c.canOpen = false; }, "cat\ncat", 0, "Couldn't open the clipboard."},
      {"cannot get", [](FakeClipboard& c) { c.canGet = false; }, "cat\ncat", 0, "Couldn't get data from the clipboard."},
      {"cannot set", [](FakeClipboard& c) { c.canSet = false; }, "cat\ncat", 2, "Couldn't put data on clipboard."},
  };
  for (const auto& c : cases) {
    FakeClipboard clip;
    clip.text = "cat\ncat";
    c.setup(clip);
    CAfrScript s = CatToDog();
    AfrTaskOptions o;
    o.onClipboard = true;
    CAdvFindAndReplaceTask task(o, s, &clip);
    TaskLog log = RunTask(task);
    EXPECT_EQ(log.result, c.message == "OK" ? 0 : 1) << c.what;
    EXPECT_EQ(log.Rows(), std::vector<CTaskResultRow>{Row(c.count, "Clipboard", c.message)}) << c.what;
    EXPECT_EQ(clip.text, c.after) << c.what;
    EXPECT_EQ(clip.opened, 0) << c.what;
    EXPECT_EQ(log.Count(WM_TASK_STEP), 1) << c.what;
  }

  FakeClipboard clip;
  clip.text = "cat";
  CAfrScript s = CatToDog();
  s.rules.push_back(Rule(True(), Wrap(0)));
  AfrTaskOptions o;
  o.onClipboard = true;
  CAdvFindAndReplaceTask task(o, s, &clip);
  TaskLog log = RunTask(task);
  EXPECT_EQ(log.Rows()[0].message, "Error in rule 2: Data initialization error.");
  EXPECT_EQ(clip.text, "cat");
  EXPECT_EQ(log.Texts(WM_TASK_STATUS),
            (std::vector<std::string>{"Executing rule 1/2 on: Clipboard", "Executing rule 2/2 on: Clipboard"}));
}

}  // namespace
