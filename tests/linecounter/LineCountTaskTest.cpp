#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>

#include <utility>

#include <gtest/gtest.h>

#include "common/TaskRunner.h"
#include "common/TempDir.h"
#include "core/Sys.h"
#include "linecounter/LineCountTask.h"
#include "linecounter/LineFeedCount.h"

namespace {

class CLocale : public ::testing::Environment {
 public:
  void SetUp() override { ::setenv("LC_ALL", "C", 1); }
};
const auto* const kLocale = ::testing::AddGlobalTestEnvironment(new CLocale);

struct SysGuard {
  qv::sys::Ops saved = qv::sys::ops();
  ~SysGuard() { qv::sys::ops() = saved; }
};

std::vector<std::int64_t> Numbers(const TaskLog& log, std::uint32_t id) {
  std::vector<std::int64_t> out;
  for (auto& m : log.messages)
    if (m.id == id) out.push_back(m.number());
  return out;
}

CTaskResultRow CountOne(const std::string& contents, TaskLog* logOut = nullptr) {
  TempDir dir;
  dir.Write("f", contents);
  CLineCountOptions o;
  o.folder = dir.path();
  CLineCountTask task(o);
  TaskLog log = RunTask(task);
  EXPECT_EQ(log.result, LINECOUNT_DONE);
  auto rows = log.Rows();
  if (logOut) *logOut = log;
  return rows.size() == 1 ? rows[0] : CTaskResultRow{};
}

std::string Lines(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "line\n";
  return s;
}

TEST(LineCountTask, CountsLinesAsLineFeedsPlusAnUnfinishedLine) {
  const size_t B = kLineCountBlockSize;
  std::string lfEndsFirstBlock = std::string(B - 1, 'x') + "\n" + "tail";
  std::string lfEndsFile = std::string(B - 1, 'x') + "\n";
  struct Case {
    const char* name;
    std::string contents;
    std::string text;
    std::int32_t count;
  } cases[] = {
      {"empty", "", "0", 0},
      {"abc", "abc", "1", 1},
      {"abc LF", "abc\n", "1 (+1 empty line)", 1},
      {"a CR LF b", "a\r\nb", "2", 2},
      {"CR only", "a\rb\rc", "1", 1},
      {"LF LF", "\n\n", "2 (+1 empty line)", 2},
      {"5000 lines", Lines(5000), "5,000 (+1 empty line)", 5000},
      {"LF at the end of the first block only", lfEndsFirstBlock, "2", 2},
      {"LF at the end of a one-block file", lfEndsFile, "1 (+1 empty line)", 1},
      {"UTF-16 line feed", std::string("a\0\n\0b\0", 6), "2", 2},
  };
  for (auto& c : cases) {
    CTaskResultRow row = CountOne(c.contents);
    EXPECT_EQ(row.message, c.text) << c.name;
    EXPECT_EQ(row.count, c.count) << c.name;
    EXPECT_EQ(row.isError, 0) << c.name;
  }
}

TEST(LineCountTask, FileProgressStartsAtOneBlock) {
  struct Case {
    size_t size;
    int fileSizes, positions;
  } cases[] = {
      {kLineCountBlockSize - 1, 0, 0},
      {kLineCountBlockSize, 1, 1},
      {2 * kLineCountBlockSize + 5, 1, 3},
  };
  for (auto& c : cases) {
    TaskLog log;
    CountOne(std::string(c.size, 'x'), &log);
    EXPECT_EQ(log.Count(WM_TASK_FILESIZE), c.fileSizes) << c.size;
    EXPECT_EQ(log.Count(WM_TASK_FILEPOS64), c.positions) << c.size;
    if (c.positions) {
      EXPECT_EQ(Numbers(log, WM_TASK_FILEPOS64).back(), static_cast<std::int64_t>(c.size));
    }
  }
}

int gBrokenFd = -1;

// Files that cannot be opened or read get an error row and stay out of the line total, but
// count among the files of the totals line.
TEST(LineCountTask, UnreadableFilesAreErrorRowsOutsideTheTotal) {
  TempDir dir;
  dir.Write("ten", Lines(10));
  dir.Write("twenty", Lines(20));
  dir.Write("thirty", Lines(30));
  dir.Write("locked", Lines(7));
  dir.Write("broken", Lines(9));
  SysGuard guard;
  qv::sys::ops().openat = [](int fd, const char* p, int f, mode_t m) {
    if (std::strcmp(p, "locked") == 0) {
      errno = EACCES;
      return -1;
    }
    int r = qv::sys::realOps().openat(fd, p, f, m);
    // The descriptor of "broken" is remembered so that its reads fail (numbers are reused: any
    // other open forgets it).
    gBrokenFd = std::strcmp(p, "broken") == 0 ? r : -1;
    return r;
  };
  qv::sys::ops().read = [](int fd, void* b, size_t n) -> ssize_t {
    if (fd == gBrokenFd) {
      errno = EIO;
      return -1;
    }
    return qv::sys::realOps().read(fd, b, n);
  };
  CLineCountOptions o;
  o.folder = dir.path();
  CLineCountTask task(o);
  TaskLog log = RunTask(task);
  EXPECT_EQ(log.result, LINECOUNT_DONE);
  std::map<std::string, std::string> rows;
  for (auto& r : log.Rows()) rows[r.path] = (r.isError ? "!" : "") + r.message.value_or("");
  EXPECT_EQ(rows, (std::map<std::string, std::string>{{dir / "ten", "10 (+1 empty line)"},
                                                      {dir / "twenty", "20 (+1 empty line)"},
                                                      {dir / "thirty", "30 (+1 empty line)"},
                                                      {dir / "locked", "!Couldn't open file."},
                                                      {dir / "broken", "!Error while reading from file."}}));
  EXPECT_EQ(log.Texts(WM_TASK_STATUS).back(), "Counted 60 lines in 5 files.");
  EXPECT_EQ(task.TotalLines(), 60u);
  EXPECT_EQ(Numbers(log, WM_TASK_TOTAL), std::vector<std::int64_t>{5});
  EXPECT_EQ(log.Count(WM_TASK_STEP), 5);
}

TEST(LineCountTask, WalksSubfoldersOnlyWhenAskedAndAppliesTheFilter) {
  TempDir dir;
  dir.Write("a.c", "1\n2\n");
  dir.Write("b.h", "1");
  dir.Write("notes.txt", "1\n2\n3\n");
  dir.Write("sub/c.c", "1\n2\n3\n4\n");
  struct Case {
    bool recursive;
    const char* filter;
    const char* totals;
  } cases[] = {
      {false, "*.c;*.h", "Counted 3 lines in 2 files."},
      {true, "*.c;*.h", "Counted 7 lines in 3 files."},
      {true, "*", "Counted 10 lines in 4 files."},
      {true, "*.*;/*.txt", "Counted 7 lines in 3 files."},
  };
  for (auto& c : cases) {
    CLineCountOptions o;
    o.folder = dir.path();
    o.recursive = c.recursive;
    o.filter = c.filter;
    o.noCounting = true;
    CLineCountTask task(o);
    TaskLog log = RunTask(task);
    EXPECT_EQ(log.Texts(WM_TASK_STATUS).back(), c.totals) << c.filter;
    EXPECT_EQ(Numbers(log, WM_TASK_TOTAL), std::vector<std::int64_t>{0});
  }
}

TEST(LineCountTask, InvalidFilterAndMissingMemoryEndBeforeReading) {
  TempDir dir;
  dir.Write("a", "x");
  CLineCountOptions o;
  o.folder = dir.path();
  o.useRegex = true;
  o.filter = "[a-";
  CLineCountTask invalid(o);
  TaskLog log = RunTask(invalid);
  EXPECT_EQ(log.result, LINECOUNT_INVALID_FILTER);
  EXPECT_TRUE(log.Rows().empty());

  SysGuard guard;
  qv::sys::ops().alloc = [](size_t) -> void* { return nullptr; };
  o.useRegex = false;
  o.filter = "*";
  CLineCountTask noMemory(o);
  EXPECT_EQ(RunTask(noMemory).result, LINECOUNT_OUT_OF_MEMORY);
}

// The vector count must agree with the plain loop at every length and alignment, including runs
// long enough to fill the byte counters (255 rounds) and line feeds in every position.
TEST(LineFeedCount, VectorAndScalarAgree) {
  std::mt19937 rng(7);
  std::string data(40000, 0);
  for (auto& ch : data) ch = (rng() % 4 == 0) ? '\n' : static_cast<char>(rng());
  std::string allLf(20000, '\n');
  for (const std::string* s : {&data, &allLf}) {
    for (size_t offset : {0u, 1u, 31u}) {
      for (size_t len : {0u, 1u, 31u, 32u, 33u, 255u * 32u, 255u * 32u + 17u, 12345u, 19000u}) {
        if (offset + len > s->size()) continue;
        std::uint64_t expected = 0;
        for (size_t i = 0; i < len; ++i) expected += (*s)[offset + i] == '\n';
        EXPECT_EQ(CountLineFeeds(s->data() + offset, len), expected) << offset << "+" << len;
        EXPECT_EQ(CountLineFeedsScalar(s->data() + offset, len), expected) << offset << "+" << len;
      }
    }
  }
}

CWorkerTask* gStopTask = nullptr;

// Cancelling in the middle of a file: that file reads "Operation Cancelled." and its lines stay
// out of the total.
TEST(LineCountTask, CancellingDuringAFileLeavesItOutOfTheTotal) {
  TempDir dir;
  dir.Write("big", std::string(3 * kLineCountBlockSize, '\n'));
  CLineCountOptions o;
  o.folder = dir.path();
  CLineCountTask task(o);
  SysGuard guard;
  gStopTask = &task;
  qv::sys::ops().read = [](int fd, void* b, size_t n) -> ssize_t {
    if (gStopTask) std::exchange(gStopTask, nullptr)->SignalStop();
    return qv::sys::realOps().read(fd, b, n);
  };
  TaskLog log = RunTask(task);
  EXPECT_EQ(log.result, LINECOUNT_CANCELLED);
  ASSERT_EQ(log.Rows().size(), 1u);
  EXPECT_EQ(log.Rows()[0].message, "Operation Cancelled.");
  EXPECT_EQ(log.Rows()[0].isError, 1);
  EXPECT_EQ(log.Count(WM_TASK_FILEPOS64), 1);
  EXPECT_EQ(log.Texts(WM_TASK_STATUS).back(), "Counted 0 lines in 1 files.");
}

}  // namespace
