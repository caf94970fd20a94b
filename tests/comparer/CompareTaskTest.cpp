#include <cerrno>
#include <cstdlib>
#include <map>

#include <utility>

#include <gtest/gtest.h>

#include "common/TaskRunner.h"
#include "common/TempDir.h"
#include "comparer/CompareTask.h"
#include "core/DirReader.h"
#include "core/Sys.h"

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

// row text -> message; error rows are marked with a leading "!".
std::map<std::string, std::string> RowMap(const TaskLog& log, const std::string& root) {
  std::map<std::string, std::string> out;
  for (auto& r : log.Rows()) out[qv::RelativeRowText(root, r.path)] = (r.isError ? "!" : "") + r.message.value_or("");
  return out;
}

CCompareOptions Folders(const TempDir& dir, bool recursive, bool showIdentical) {
  CCompareOptions o;
  o.folder1 = dir / "one";
  o.folder2 = dir / "two";
  o.recursive = recursive;
  o.showIdentical = showIdentical;
  return o;
}

std::string Block(size_t n, char fill = 'x') { return std::string(n, fill); }

TEST(CompareTask, FolderModeReportsEachKindOfDifference) {
  TempDir dir;
  std::string big = Block(2 * kCompareBlockSize);
  std::string bigLast = big;
  bigLast.back() = 'y';
  dir.Write("one/same.txt", "abc");
  dir.Write("two/same.txt", "abc");
  dir.Write("one/empty", "");
  dir.Write("two/empty", "");
  dir.Write("one/last", big);
  dir.Write("two/last", bigLast);
  dir.Write("one/size", "abc");
  dir.Write("two/size", "abcd");
  dir.Write("one/missing", "abc");
  dir.Write("two/only-in-two", "abc");
  dir.Write("one/sub/deep", "abc");
  dir.Write("two/sub/deep", "abd");

  struct Case {
    bool recursive, showIdentical;
    std::map<std::string, std::string> rows;
    std::uint32_t compared, different;
  } cases[] = {
      {false, false,
       {{"./last", "!Files are different."},
        {"./size", "!File size is different."},
        {"./missing", "!File does not exist in the Compare With folder."}},
       5, 3},
      {true, true,
       {{"./same.txt", "Identical"},
        {"./empty", "Identical"},
        {"./last", "!Files are different."},
        {"./size", "!File size is different."},
        {"./missing", "!File does not exist in the Compare With folder."},
        {"./sub/deep", "!Files are different."}},
       6, 4},
  };
  for (auto& c : cases) {
    CCompareTask task(Folders(dir, c.recursive, c.showIdentical));
    TaskLog log = RunTask(task);
    EXPECT_EQ(log.result, COMPARE_DIFFERENT);
    EXPECT_EQ(RowMap(log, dir / "one"), c.rows);
    EXPECT_EQ(task.FilesCompared(), c.compared);
    EXPECT_EQ(task.FilesDifferent(), c.different);
    EXPECT_EQ(Numbers(log, WM_TASK_TOTAL), std::vector<std::int64_t>{c.compared});
    EXPECT_EQ(log.Count(WM_TASK_STEP), static_cast<int>(c.compared));
    // The last-byte difference is found only after both blocks were read.
    EXPECT_GE(task.BytesCompared(), 2 * kCompareBlockSize);
  }
}

TEST(CompareTask, IdenticalFoldersLeaveNoRowsAndFinishWithZero) {
  TempDir dir;
  for (const char* f : {"a", "b", "sub/c"}) {
    dir.Write(std::string("one/") + f, f);
    dir.Write(std::string("two/") + f, f);
  }
  CCompareOptions o = Folders(dir, true, false);
  o.noCounting = true;
  CCompareTask task(o);
  TaskLog log = RunTask(task);
  EXPECT_EQ(log.result, COMPARE_IDENTICAL);
  EXPECT_TRUE(log.Rows().empty());
  EXPECT_EQ(Numbers(log, WM_TASK_TOTAL), std::vector<std::int64_t>{0});
  auto status = log.Texts(WM_TASK_STATUS);
  ASSERT_FALSE(status.empty());
  EXPECT_EQ(status.back().rfind("Compared 3 files (7.00 B [7 bytes])", 0), 0u) << status.back();
  EXPECT_NE(status.back().find("0 files were different."), std::string::npos);
}

// File progress only for files of at least one block: the size, then the position before each
// block and once at the end.
TEST(CompareTask, FileProgressStartsAtOneBlock) {
  struct Case {
    size_t size;
    std::vector<std::int64_t> sizes, positions;
  } cases[] = {
      {0, {}, {}},
      {kCompareBlockSize - 1, {}, {}},
      {kCompareBlockSize, {static_cast<std::int64_t>(kCompareBlockSize)}, {0, static_cast<std::int64_t>(kCompareBlockSize)}},
      {kCompareBlockSize + 1,
       {static_cast<std::int64_t>(kCompareBlockSize + 1)},
       {0, static_cast<std::int64_t>(kCompareBlockSize), static_cast<std::int64_t>(kCompareBlockSize + 1)}},
  };
  for (auto& c : cases) {
    TempDir dir;
    dir.Write("one/f", Block(c.size));
    dir.Write("two/f", Block(c.size));
    CCompareOptions o;
    o.twoFiles = true;
    o.folder1 = dir / "one";
    o.filter1 = "f";
    o.folder2 = dir / "two";
    o.filter2 = "f";
    o.showIdentical = true;
    CCompareTask task(o);
    TaskLog log = RunTask(task);
    EXPECT_EQ(log.result, COMPARE_IDENTICAL) << c.size;
    ASSERT_EQ(log.Rows().size(), 1u);
    EXPECT_EQ(log.Rows()[0].message, "Identical");
    EXPECT_EQ(log.Rows()[0].path, dir / "one/f");
    EXPECT_EQ(Numbers(log, WM_TASK_FILESIZE), c.sizes) << c.size;
    EXPECT_EQ(Numbers(log, WM_TASK_FILEPOS64), c.positions) << c.size;
    EXPECT_EQ(Numbers(log, WM_TASK_TOTAL), std::vector<std::int64_t>{1});
  }
}

int gReads = 0;

// Failures while reading, and a file that changes under the comparison, each end in their own
// message; a changed file is never judged on bytes left over in the buffer.
TEST(CompareTask, ReadFailuresAndChangingFilesAreDifferences) {
  struct Case {
    const char* name;
    ssize_t (*read)(int, void*, size_t);
    std::string message;  // "%2" stands for the path of file 2
  } cases[] = {
      {"file 1 fails", [](int, void*, size_t) -> ssize_t { errno = EIO; return -1; }, "Error while reading from file."},
      {"file 2 fails",
       [](int fd, void* b, size_t n) -> ssize_t {
         if (++gReads == 2) {
           errno = EIO;
           return -1;
         }
         return qv::sys::realOps().read(fd, b, n);
       },
       "Error while reading from file to compare with (%2)."},
      {"file 2 shrinks",
       [](int fd, void* b, size_t n) -> ssize_t {
         ++gReads;
         if (gReads == 3) return 0;  // the end comes early
         ssize_t r = qv::sys::realOps().read(fd, b, n);
         return gReads == 2 && r > 0 ? r - 1 : r;
       },
       "Files are different."},
  };
  for (auto& c : cases) {
    TempDir dir;
    dir.Write("a", "abcdef");
    dir.Write("b", "abcdef");
    CCompareOptions o;
    o.twoFiles = true;
    o.folder1 = o.folder2 = dir.path();
    o.filter1 = "a";
    o.filter2 = "b";
    SysGuard guard;
    gReads = 0;
    qv::sys::ops().read = c.read;
    CCompareTask task(o);
    TaskLog log = RunTask(task);
    EXPECT_EQ(log.result, COMPARE_DIFFERENT) << c.name;
    ASSERT_EQ(log.Rows().size(), 1u) << c.name;
    std::string expected = c.message;
    if (auto p = expected.find("%2"); p != std::string::npos) expected.replace(p, 2, dir / "b");
    EXPECT_EQ(log.Rows()[0].message, expected) << c.name;
    EXPECT_EQ(log.Rows()[0].isError, 1);
  }
}

TEST(CompareTask, TwoFilesModeWithAMissingFile) {
  TempDir dir;
  dir.Write("a", "abc");
  struct Case {
    const char *file1, *file2, *message;
  } cases[] = {
      {"a", "nothing", "File does not exist in the Compare With folder."},
      {"nothing", "a", "Couldn't open file."},  // not "File size is different."
  };
  for (auto& c : cases) {
    CCompareOptions o;
    o.twoFiles = true;
    o.folder1 = o.folder2 = dir.path();
    o.filter1 = c.file1;
    o.filter2 = c.file2;
    CCompareTask task(o);
    TaskLog log = RunTask(task);
    EXPECT_EQ(log.result, COMPARE_DIFFERENT);
    ASSERT_EQ(log.Rows().size(), 1u);
    EXPECT_EQ(log.Rows()[0].message, c.message);
  }
}

TEST(CompareTask, InvalidFilterAndMissingMemoryEndBeforeComparing) {
  TempDir dir;
  dir.Write("one/a", "x");
  dir.MakeDir("two");
  CCompareOptions o = Folders(dir, false, true);
  o.useRegex = true;
  o.filter1 = "[a-";
  CCompareTask invalid(o);
  TaskLog log = RunTask(invalid);
  EXPECT_EQ(log.result, COMPARE_INVALID_FILTER);
  EXPECT_TRUE(log.Rows().empty());

  SysGuard guard;
  qv::sys::ops().alloc = [](size_t) -> void* { return nullptr; };
  CCompareTask noMemory(Folders(dir, false, true));
  EXPECT_EQ(RunTask(noMemory).result, COMPARE_OUT_OF_MEMORY);
}

TEST(CompareStatistics, ReadsAsTheExampleAndSurvivesAnInstantRun) {
  EXPECT_EQ(CompareStatisticsText(12, 3588096, 2, 2),
            "Compared 12 files (3.42 MB [3,588,096 bytes]) with an average speed of 1.71 MB/sec. 2 files were "
            "different.");
  // Under one second the speed is that of one second, not a division by zero.
  EXPECT_EQ(CompareStatisticsText(1, 2048, 0, 0),
            "Compared 1 files (2.00 KB [2,048 bytes]) with an average speed of 2.00 KB/sec. 0 files were different.");
}

CWorkerTask* gStopTask = nullptr;

// Cancelling in the middle of a large file: a row only with show identical; the statistics and
// the finished code 1 come all the same.
TEST(CompareTask, CancellingDuringAFile) {
  for (bool showIdentical : {false, true}) {
    TempDir dir;
    dir.Write("a", Block(3 * kCompareBlockSize));
    dir.Write("b", Block(3 * kCompareBlockSize));
    CCompareOptions o;
    o.twoFiles = true;
    o.folder1 = o.folder2 = dir.path();
    o.filter1 = "a";
    o.filter2 = "b";
    o.showIdentical = showIdentical;
    CCompareTask task(o);
    SysGuard guard;
    gStopTask = &task;
    qv::sys::ops().read = [](int fd, void* b, size_t n) -> ssize_t {
      if (gStopTask) std::exchange(gStopTask, nullptr)->SignalStop();
      return qv::sys::realOps().read(fd, b, n);
    };
    TaskLog log = RunTask(task);
    EXPECT_EQ(log.result, COMPARE_DIFFERENT);
    if (showIdentical) {
      ASSERT_EQ(log.Rows().size(), 1u);
      EXPECT_EQ(log.Rows()[0].message, "Operation Cancelled.");
      EXPECT_EQ(log.Rows()[0].isError, 1);
    } else {
      EXPECT_TRUE(log.Rows().empty());
    }
    // Position 0 before the first block; the stop is seen before the second, and there is no
    // closing position.
    EXPECT_EQ(Numbers(log, WM_TASK_FILEPOS64), std::vector<std::int64_t>{0});
    EXPECT_EQ(log.Texts(WM_TASK_STATUS).back().rfind("Compared 1 files", 0), 0u);
  }
}

}  // namespace
