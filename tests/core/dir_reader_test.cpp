#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/TempDir.h"
#include "core/DirReader.h"

namespace {

TEST(DirReader, ReportsEntryKindsWithoutFollowingLinks) {
  TempDir dir;
  dir.Write("f.txt", "x");
  dir.MakeDir("sub");
  ::symlink("sub", (dir / "link").c_str());
  ::mkfifo((dir / "pipe").c_str(), 0600);
  std::vector<std::pair<std::string, EntryType>> seen;
  CDirReader r(AT_FDCWD, dir.path().c_str());
  ASSERT_TRUE(r);
  for (DirEntry e; r.Next(e);) seen.emplace_back(e.name, e.type);
  std::sort(seen.begin(), seen.end());
  std::vector<std::pair<std::string, EntryType>> want{
      {"f.txt", EntryType::File}, {"link", EntryType::Symlink}, {"pipe", EntryType::Other}, {"sub", EntryType::Directory}};
  EXPECT_EQ(seen, want);
}

TEST(DirReader, AFolderThatCannotBeOpenedIsEmpty) {
  TempDir dir;
  CDirReader missing(AT_FDCWD, (dir / "nope").c_str());
  EXPECT_FALSE(missing);
  DirEntry e;
  EXPECT_FALSE(missing.Next(e));
  // A link to a folder is not opened as an entry of its folder, but a start folder may be one.
  dir.MakeDir("real");
  ::symlink("real", (dir / "link").c_str());
  CDirReader parent(AT_FDCWD, dir.path().c_str());
  EXPECT_FALSE(CDirReader(parent.Fd(), "link"));
  EXPECT_TRUE(CDirReader(parent.Fd(), "real"));
  EXPECT_TRUE(CDirReader(AT_FDCWD, (dir / "link").c_str()));
}

TEST(PathTexts, RowTextsAndSeparators) {
  EXPECT_EQ(qv::RelativeRowText("/data", "/data/sub/a.txt"), "./sub/a.txt");
  EXPECT_EQ(qv::RelativeRowText("/data/", "/data/a.txt"), "./a.txt");
  EXPECT_EQ(qv::RelativeRowText("", "/etc/x"), "./etc/x");
  EXPECT_EQ(qv::JoinPath("/data", "a"), "/data/a");
  EXPECT_EQ(qv::JoinPath("/data/", "a"), "/data/a");
  EXPECT_EQ(qv::JoinPath("", "etc"), "/etc");
  EXPECT_EQ(qv::StripTrailingSeparator("C:\\d\\"), "C:\\d");
  EXPECT_EQ(qv::StripTrailingSeparator("/d//"), "/d/");
}

}  // namespace
