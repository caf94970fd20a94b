#include "core/FileFacts.h"

#include <cstdlib>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "common/TempDir.h"

namespace {

const bool kFixedLocale = [] {
  ::setenv("LC_ALL", "en_US.UTF-8", 1);
  return true;
}();

TEST(FileFacts, AttributeLettersKeepTheirOrder) {
  struct {
    std::uint32_t bits;
    const char* letters;
  } cases[] = {
      {0, ""},
      {kAttrQueryFailed, "AR"},
      {kAttrDirectory | kAttrHidden, "<DIR>H"},
      {kAttrReparsePoint | kAttrReadOnly | kAttrSparse, "RRpSf"},
      {0xFFFFFFFF, "AC<DIR>EHNciORRpSfST"},
  };
  for (auto& c : cases) EXPECT_EQ(AttributeLetters(c.bits), c.letters) << std::hex << c.bits;
}

TEST(FileFacts, SpecialFilesAreNeverOpened) {
  TempDir dir;
  std::string fifo = dir / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  // Opening a FIFO without a writer would block these calls forever.
  EXPECT_EQ(AttributeLetters(FileAttributeBits(fifo)), "");
  EXPECT_FALSE(FileTypeName(fifo).empty());
  FileFacts f;
  EXPECT_TRUE(ReadFileFacts(fifo, f));
}

TEST(FileFacts, FolderSizeIsZeroAndMissingPathsReadAsZero) {
  TempDir dir;
  FileFacts f;
  ASSERT_TRUE(ReadFileFacts(dir.MakeDir("sub"), f));
  EXPECT_TRUE(f.isDirectory);
  EXPECT_EQ(f.size, 0u);
  EXPECT_GT(f.modified, 0);
  EXPECT_GT(f.created, 0);
  EXPECT_FALSE(ReadFileFacts(dir / "missing", f));
  EXPECT_EQ(f.size, 0u);
  EXPECT_EQ(f.modified, 0);
}

}  // namespace
