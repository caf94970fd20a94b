#include <gtest/gtest.h>

#include <sys/stat.h>

#include "RunQv.h"
#include "common/TempDir.h"

namespace {

const std::vector<std::string> kUtc = {"TZ=UTC", "LC_ALL=C"};

struct stat Stat(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st;
}

TEST(QvTouch, SetsTimesAndReadOnlyOnFilesAndMatchingFilesInFolders) {
  TempDir dir;
  std::string a = dir.Write("a.log", "x", 0644);
  dir.Write("photos/b.jpg", "x", 0644);
  dir.Write("photos/deep/c.jpg", "x", 0644);
  dir.Write("photos/d.txt", "x", 0644);
  QvResult r = RunQv({"touch", "--modified", "2001-02-03 04:05:06", "--accessed", "2002-03-04 05:06:07", "--read-only",
                      "set", "--subfolders", "*.jpg", a, dir / "photos"},
                     "", kUtc);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  for (const char* f : {"a.log", "photos/b.jpg", "photos/deep/c.jpg"}) {
    EXPECT_EQ(Stat(dir / f).st_mtim.tv_sec, 981173106) << f;
    EXPECT_EQ(Stat(dir / f).st_atim.tv_sec, 1015218367) << f;
    EXPECT_EQ(Stat(dir / f).st_mode & 0777, 0444u) << f;
  }
  EXPECT_NE(Stat(dir / "photos/d.txt").st_mtim.tv_sec, 981173106);

  // Without --subfolders a folder is left alone.
  r = RunQv({"touch", "--read-only", "clear", dir / "photos"}, "", kUtc);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(Stat(dir / "photos/b.jpg").st_mode & 0777, 0444u);
}

TEST(QvTouch, ListsFailedFilesAndExitsWithOne) {
  TempDir dir;
  std::string a = dir.Write("a", "x");
  QvResult r = RunQv({"touch", "--now", dir / "gone", a}, "", kUtc);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, dir / "gone" + "\tFile does not exist\n");
  EXPECT_EQ(r.err, "There was an error while touching the files in the list below.\n");

  // ext4 and tmpfs do not compress: a clear reason with the system's message.
  r = RunQv({"touch", "--json", "--compress", "set", a}, "", kUtc);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "{\"row\":\"" + a + "\",\"path\":\"" + a +
                       "\",\"count\":16,\"error\":true,\"message\":\"Changing compression failed: Operation not "
                       "supported\"}\n");
}

TEST(QvTouch, BadArgumentsAreUsageErrors) {
  TempDir dir;
  std::string a = dir.Write("a", "x");
  struct stat before = Stat(a);
  struct Case {
    std::vector<std::string> args;
    const char* err;
  } cases[] = {
      {{"touch", "--modified", "2023-02-29 10:00:00", a}, "is not a date and time"},
      {{"touch", "--accessed", "yesterday", a}, "is not a date and time"},
      {{"touch", "--read-only", "maybe", a}, "maybe"},
      {{"touch"}, "PATH"},
  };
  for (auto& c : cases) {
    QvResult r = RunQv(c.args, "", kUtc);
    EXPECT_EQ(r.status, 255) << c.args[1];
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
  QvResult r = RunQv({"touch", "--read-only", "set", "--subfolders", "[a-", "--regex-filters", dir.path()}, "", kUtc);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "The regular expression used for the \"subfolder files filter\" is invalid.\n");
  EXPECT_EQ(Stat(a).st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(Stat(a).st_mode, before.st_mode);
}

}  // namespace
