#include "FindReplaceFixture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kChunk = 262144;

using FindTask = FindReplaceTest;

TEST_F(FindTask, PlainNeedleStraddlingTheChunkBoundaryIsFoundAtEveryOffset) {
  const std::string needle = "Needle42";
  std::vector<std::string> want;
  for (size_t start = kChunk - needle.size() - 2; start <= kChunk + 2; ++start) {
    std::string body(kChunk + 4096, 'n');  // 'n' begins the needle's folded form: many near-misses
    body.replace(start, needle.size(), "nEEDLE42");
    std::string name = "f" + std::to_string(start) + ".txt";
    dir.Write(name, body);
    want.push_back("./" + name);
  }
  std::sort(want.begin(), want.end());
  EXPECT_EQ(RowTexts(Find(needle)), want);            // ignoring case
  EXPECT_TRUE(RowTexts(Find(needle, false, true)).empty());  // matching case
}

TEST_F(FindTask, RegexSeesAMatchAcrossTheBoundaryWithinTheOverlap) {
  std::string body(kChunk * 2, '.');
  body.replace(kChunk - 500, 1000, "x" + std::string(998, '7') + "y");  // 1000 bytes over the boundary
  dir.Write("a.txt", body);
  std::string tooLong(kChunk * 2, '.');
  tooLong.replace(kChunk - 1100, 2000, "x" + std::string(1998, '7') + "y");  // longer than the overlap
  dir.Write("b.txt", tooLong);
  EXPECT_EQ(RowTexts(Find("x7+y", true)), std::vector<std::string>{"./a.txt"});
}

TEST_F(FindTask, AnchorsDoNotMatchAtAChunkStartInsideALine) {
  // The second chunk begins 1023 bytes before the first one's end, right at the 'x'.
  std::string body(kChunk + 5000, 'a');
  body[kChunk - 1023] = 'x';
  dir.Write("a.txt", body);
  EXPECT_TRUE(Find("^x", true).Rows().empty());
  EXPECT_TRUE(Find("\\<x", true).Rows().empty());
  body[kChunk - 1024] = '\n';
  dir.Write("a.txt", body);
  EXPECT_EQ(Find("^x", true).Rows().size(), 1u);
}

TEST_F(FindTask, EndAnchorsDoNotMatchAtAChunkEndBeforeTheFileEnds) {
  std::string body(kChunk + 100, 'a');
  body[kChunk - 1] = 'z';
  dir.Write("a.txt", body);
  EXPECT_TRUE(Find("z$", true).Rows().empty());
  EXPECT_EQ(Find("a$", true).Rows().size(), 1u);  // at the real end of the file
}

TEST_F(FindTask, EscapesAndTheirAbsenceInRegexMode) {
  dir.Write("lf.txt", "a\nb");
  dir.Write("bs.txt", "a\\nb");
  dir.Write("bq.txt", "x\\qy");
  EXPECT_EQ(RowTexts(Find("\\n")), std::vector<std::string>{"./lf.txt"});
  EXPECT_EQ(RowTexts(Find("\\\\n")), std::vector<std::string>{"./bs.txt"});
  EXPECT_EQ(RowTexts(Find("\\q")), std::vector<std::string>{"./bq.txt"});
  EXPECT_EQ(RowTexts(Find("a\\nb", true)), std::vector<std::string>{"./lf.txt"});
}

TEST_F(FindTask, FilesThatCannotHoldAMatchMakeTheRunFail) {
  dir.Write("hit.txt", "abc");
  dir.Write("empty.txt", "");
  dir.Write("short.txt", "a");
  dir.Write("utf16.txt", std::string("\xff\xfe" "a\0b\0c\0", 8));
  TaskLog log = Find("abc");
  EXPECT_EQ(RowTexts(log), std::vector<std::string>{"./hit.txt"});
  EXPECT_EQ(log.result, CFindAndReplaceTask::kSomeFailed);
  // An empty file is too small for a regular expression too.
  dir.Write("hit.txt", "");
  ::unlink((dir / "utf16.txt").c_str());
  ::unlink((dir / "short.txt").c_str());
  EXPECT_EQ(Find("x*", true).result, CFindAndReplaceTask::kSomeFailed);
}

TEST_F(FindTask, EmptyFindTextListsFilesWithoutOpeningThem) {
  dir.Write("a.txt", "x");
  dir.Write("secret.txt", "x", 0000);
  dir.Write("sub/b.c", "y");
  TaskLog log = Find("");
  EXPECT_EQ(RowTexts(log), (std::vector<std::string>{"./a.txt", "./secret.txt", "./sub/b.c"}));
  EXPECT_EQ(log.result, 0);
  EXPECT_EQ(log.Count(WM_TASK_CURRENTFILE), 3);
}

TEST_F(FindTask, WalkSkipsLinksSpecialFilesAndFolderNamesAndHonoursTheFilter) {
  dir.Write("x.txt/inner.txt", "hit");  // a folder named like a match is descended, not matched
  dir.Write("a.txt", "hit");
  dir.Write("a.log", "hit");
  ::symlink("a.txt", (dir / "link.txt").c_str());
  ::symlink(dir.path().c_str(), (dir / "loop").c_str());
  ::mkfifo((dir / "pipe.txt").c_str(), 0600);
  CFindAndReplaceTask t;
  t.options.rootFolder = dir.path();
  t.options.findText = "hit";
  t.options.filterText = "*.txt";
  t.options.recursive = true;
  TaskLog log = RunTask(t);
  EXPECT_EQ(RowTexts(log), (std::vector<std::string>{"./a.txt", "./x.txt/inner.txt"}));
  EXPECT_EQ(log.result, 0);
  // Without subfolders the inner file is not seen; the counting walk agrees with the walk.
  t.options.recursive = false;
  log = RunTask(t);
  EXPECT_EQ(RowTexts(log), std::vector<std::string>{"./a.txt"});
  ASSERT_EQ(log.Count(WM_TASK_TOTAL), 1);
  for (auto& m : log.messages) {
    if (m.id == WM_TASK_TOTAL) {
      EXPECT_EQ(m.number(), 1);
    }
  }
}

TEST_F(FindTask, MessagesFollowTheProtocol) {
  dir.Write("sub/big.bin", std::string(1 << 20, 'q') + "end");
  TaskLog log = Find("end");
  std::vector<std::string> status = log.Texts(WM_TASK_STATUS);
  ASSERT_GE(status.size(), 3u);
  EXPECT_EQ(status[0], "Counting files...");
  EXPECT_EQ(status[1], "Searching in: .");
  EXPECT_EQ(status[2], "Searching in: ./sub");
  EXPECT_EQ(log.Texts(WM_TASK_CURRENTFILE), std::vector<std::string>{dir / "sub/big.bin"});
  EXPECT_EQ(log.Count(WM_TASK_FILESIZE), 1);
  std::vector<long long> positions;
  for (auto& m : log.messages)
    if (m.id == WM_TASK_FILEPOS64) positions.push_back(m.number());
  ASSERT_FALSE(positions.empty());
  EXPECT_EQ(positions.back(), (1 << 20) + 3);  // ends at 100%
  EXPECT_EQ(log.messages.back().id, WM_TASK_FINISHED);
  // No counting: the total is 0 and no counting status is posted.
  CFindAndReplaceTask t;
  t.options.rootFolder = dir.path();
  t.options.findText = "end";
  t.options.disableCounting = true;
  t.options.recursive = true;
  log = RunTask(t);
  EXPECT_EQ(log.Texts(WM_TASK_STATUS)[0], "Searching in: .");
}

TEST_F(FindTask, SetupFailuresEndTheRunWithTheirCodes) {
  dir.Write("a.txt", "x");
  CFindAndReplaceTask t;
  t.options.rootFolder = dir.path();
  t.options.findText = "x";
  t.options.filterText = "[a-";
  t.options.useRegexFilters = true;
  EXPECT_EQ(RunTask(t).result, CFindAndReplaceTask::kInvalidFilter);
  t.options.useRegexFilters = false;
  t.options.filterText = "*";
  t.options.findText = "(unclosed";
  t.options.regex = true;
  TaskLog log = RunTask(t);
  EXPECT_EQ(log.result, CFindAndReplaceTask::kInvalidRegex);
  EXPECT_EQ(log.messages.size(), 1u);
  t.options.regex = false;
  qv::sys::ops().alloc = [](size_t) -> void* { return nullptr; };
  EXPECT_EQ(RunTask(t).result, CFindAndReplaceTask::kOutOfMemory);
}

TEST_F(FindTask, CancelInTheMiddleOfAFilePostsNoRowForIt) {
  dir.Write("big.bin", std::string(8 << 20, 'a') + "needle");
  static CFindAndReplaceTask* running;
  CFindAndReplaceTask t;
  running = &t;
  t.options.rootFolder = dir.path();
  t.options.findText = "needle";
  static int reads;
  reads = 0;
  qv::sys::ops().read = [](int fd, void* b, size_t n) -> ssize_t {
    if (++reads == 5) running->SignalStop();
    return ::read(fd, b, n);
  };
  TaskLog log = RunTask(t);
  EXPECT_TRUE(log.Rows().empty());
  EXPECT_EQ(log.result, CFindAndReplaceTask::kSomeFailed);
}

}  // namespace
