#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <unistd.h>

#include <utility>

#include <gtest/gtest.h>

#include "common/TaskRunner.h"
#include "common/TempDir.h"
#include "core/Sys.h"
#include "foldersize/FolderSizeList.h"
#include "foldersize/FolderSizeTask.h"

namespace {

// Size texts in a known number format: "," groups, "." and two decimals.
class CLocale : public ::testing::Environment {
 public:
  void SetUp() override { ::setenv("LC_ALL", "C", 1); }
};
const auto* const kLocale = ::testing::AddGlobalTestEnvironment(new CLocale);

struct SysGuard {
  qv::sys::Ops saved = qv::sys::ops();
  ~SysGuard() { qv::sys::ops() = saved; }
};

std::map<std::string, CFolderSizeRow> RowsByPath(const TaskLog& log) {
  std::map<std::string, CFolderSizeRow> rows;
  for (auto& m : log.messages)
    if (auto* r = m.record<CFolderSizeRow>()) rows[r->path] = *r;
  return rows;
}

TEST(FolderSizeTask, AddsTheFilesOfEachTreeAndMarksUnlistableFolders) {
  TempDir dir;
  dir.MakeDir("empty");
  dir.Write("k1023/a", std::string(1023, 'x'));
  dir.Write("k1024/a", std::string(1000, 'x'));
  dir.Write("k1024/deep/er/b", std::string(24, 'x'));
  dir.Write("partly/ok", std::string(10, 'x'));
  dir.Write("partly/locked/hidden", std::string(5, 'x'));
  dir.Write("unlisted/a", "x");
  dir.Write("links/target", "12345");
  ASSERT_EQ(::symlink("target-name-of-20-ch", (dir / "links/link").c_str()), 0);  // counts 20 bytes

  // Listing is refused for "locked" (inside a readable folder) and for the top folder "unlisted".
  SysGuard guard;
  qv::sys::ops().openat = [](int fd, const char* p, int f, mode_t m) {
    size_t n = std::strlen(p);
    if (std::strcmp(p, "locked") == 0 || (n >= 9 && std::strcmp(p + n - 9, "/unlisted") == 0)) {
      errno = EACCES;
      return -1;
    }
    return qv::sys::realOps().openat(fd, p, f, m);
  };

  struct Case {
    const char* name;
    std::uint64_t size;
    std::int32_t count;
  } cases[] = {
      {"empty", 0, 0},
      {"k1023", 1023, 1},
      {"k1024", 1024, 2},
      {"partly", 10, 1},  // the locked subfolder adds nothing and is no error
      {"unlisted", FOLDER_SIZE_ERROR, FOLDER_COUNT_ERROR},
      {"links", 25, 2},
  };
  std::vector<std::string> paths;
  for (auto& c : cases) paths.push_back(dir / c.name);
  CFolderSizeTask task(paths);
  TaskLog log = RunTask(task);
  EXPECT_EQ(log.result, 0);
  EXPECT_EQ(log.Texts(WM_TASK_CURRENTFILE), paths);
  auto rows = RowsByPath(log);
  for (auto& c : cases) {
    ASSERT_TRUE(rows.count(dir / c.name)) << c.name;
    EXPECT_EQ(rows[dir / c.name].size, c.size) << c.name;
    EXPECT_EQ(rows[dir / c.name].fileCount, c.count) << c.name;
  }
}

TEST(FolderSizeList, CalculatesSubfoldersOnlyAndStoresRowsByExactPath) {
  TempDir dir;
  dir.Write("Big/a", std::string(100, 'x'));
  dir.Write("big/a", std::string(10, 'x'));
  dir.MakeDir("gone");
  CFolderSizeList list;
  list.Fill(dir.path(), {"..", "Big", "big", "gone"});
  ::rmdir((dir / "gone").c_str());

  // ".." would walk the parent's whole tree and scale every bar to it.
  std::vector<std::string> paths = list.PrepareRun();
  EXPECT_EQ(paths, (std::vector<std::string>{dir / "Big", dir / "big"}));
  EXPECT_EQ(list.Rows()[3].size, FOLDER_SIZE_MISSING);
  EXPECT_EQ(list.Rows()[3].fileCount, FOLDER_COUNT_MISSING);

  CFolderSizeTask task(paths);
  TaskLog log = RunTask(task);
  for (auto& m : log.messages) {
    if (auto* r = m.record<CFolderSizeRow>()) {
      EXPECT_TRUE(list.Apply(*r));
    }
  }
  EXPECT_EQ(list.Rows()[1].size, 100u);  // "Big" and "big" are two folders
  EXPECT_EQ(list.Rows()[2].size, 10u);
  EXPECT_EQ(list.Rows()[0].size, FOLDER_SIZE_NOT_CALCULATED);
  EXPECT_EQ(list.LargestSize(), 100u);
  EXPECT_FALSE(list.Apply({5, 1, dir / "BIG"}));

  // A marker never becomes the largest size.
  EXPECT_TRUE(list.Apply({FOLDER_SIZE_ERROR, FOLDER_COUNT_ERROR, dir / "big"}));
  EXPECT_EQ(list.LargestSize(), 100u);
  list.Fill(dir.path(), {"Big"});
  EXPECT_EQ(list.LargestSize(), 0u);
}

TEST(FolderSizeTexts, ShowMarkersSizesInEachUnitAndCounts) {
  struct Case {
    std::uint64_t size;
    int unit;
    const char* text;
  } cases[] = {
      {FOLDER_SIZE_NOT_CALCULATED, 0, "."}, {FOLDER_SIZE_ERROR, 3, "Error"}, {FOLDER_SIZE_MISSING, 1, "-"},
      {0, 0, "0.00 B"},                     {1023, 0, "1,023.00 B"},         {1024, 0, "1.00 KB"},
      {1536, 1, "1,536.00 B"},              {1536, 2, "1.50 KB"},            {3u << 20, 3, "3.00 MB"},
      {1u << 20, 4, "0.00 GB"},             {1ULL << 40, 5, "1.00 TB"},      {1ULL << 60, 7, "1.00 EB"},
  };
  for (auto& c : cases) EXPECT_EQ(FolderSizeText(c.size, c.unit), c.text) << c.size << " unit " << c.unit;
  EXPECT_EQ(FolderFileCountText(FOLDER_COUNT_NOT_CALCULATED), ".");
  EXPECT_EQ(FolderFileCountText(FOLDER_COUNT_ERROR), "Error");
  EXPECT_EQ(FolderFileCountText(FOLDER_COUNT_MISSING), "-");
  EXPECT_EQ(FolderFileCountText(1234567), "1,234,567");
}

TEST(FolderSizeTexts, BarsAreScaledToTheLargestAndRounded) {
  struct Case {
    int width;
    std::uint64_t size, largest;
    int bar;
  } cases[] = {
      {100, 100, 100, 100}, {100, 50, 100, 50}, {101, 1, 2, 51}, {100, 0, 100, 0},
      {100, 5, 0, 0},       {100, FOLDER_SIZE_ERROR, 100, 0},   {0, 5, 5, 0},
  };
  for (auto& c : cases) EXPECT_EQ(RelativeBarWidth(c.width, c.size, c.largest), c.bar) << c.size << "/" << c.largest;
}

CWorkerTask* gStopTask = nullptr;

// A cancelled calculation posts no row for the folder it was in and finishes with 1.
TEST(FolderSizeTask, CancellingPostsNoPartialRow) {
  TempDir dir;
  dir.Write("a/x", "x");
  dir.Write("b/x", "x");
  CFolderSizeTask task({dir / "a", dir / "b"});
  SysGuard guard;
  gStopTask = &task;
  qv::sys::ops().openat = [](int fd, const char* p, int f, mode_t m) {
    if (gStopTask) std::exchange(gStopTask, nullptr)->SignalStop();
    return qv::sys::realOps().openat(fd, p, f, m);
  };
  TaskLog log = RunTask(task);
  EXPECT_EQ(log.result, 1);
  EXPECT_TRUE(RowsByPath(log).empty());
}

}  // namespace
