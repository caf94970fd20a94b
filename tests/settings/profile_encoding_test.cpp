#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "settings/FolderIdList.h"
#include "settings/ProfileEncoding.h"

namespace {

TEST(ProfileEncodingTest, BinaryIsTwoLettersPerByteLowNibbleFirst) {
  EXPECT_EQ(EncodeBinary({0x3C}), "MD");
  EXPECT_EQ(EncodeBinary({0x00, 0xFF, 0x10}), "AAPPAB");
  EXPECT_EQ(EncodeBinary({}), "");
  Bytes all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<std::uint8_t>(b));
  Bytes back;
  ASSERT_TRUE(DecodeBinary(EncodeBinary(all), back));
  EXPECT_EQ(back, all);

  for (const char* bad : {"M", "MDQ", "mD", "M1", "Q A"}) {
    SCOPED_TRACE(bad);
    Bytes out{1, 2};
    EXPECT_FALSE(DecodeBinary(bad, out));
    EXPECT_TRUE(out.empty());
  }
}

TEST(ProfileEncodingTest, IntsReadLikeAnIniReader) {
  const struct {
    const char* text;
    int value;
  } cases[] = {
      {"0", 0},           {"1", 1},         {"-1", -1},          {"  42", 42},
      {"12abc", 12},      {"abc", 0},       {"", 0},             {"+7", 7},
      {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"99999999999", INT_MAX}, {"-99999999999", INT_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseProfileInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(FolderIdListTest, ValidationWalksItemsToTheTerminator) {
  const struct {
    const char* name;
    Bytes list;
    bool valid;
  } cases[] = {
      {"bare terminator", {0, 0}, true},
      {"one item", {3, 0, 'a', 0, 0}, true},
      {"two items", {3, 0, 'a', 4, 0, 'b', 'c', 0, 0}, true},
      {"empty", {}, false},
      {"one byte", {0}, false},
      {"bytes after terminator", {0, 0, 0}, false},
      {"item passes the end", {9, 0, 'a', 0, 0}, false},
      {"item ends at the end, no terminator", {3, 0, 'a'}, false},
      {"count below two", {1, 0, 0, 0}, false},
      {"terminator half there", {3, 0, 'a', 0}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidFolderIdList(c.list), c.valid) << c.name;
}

TEST(FolderIdListTest, PathsBecomeOneItemPerComponent) {
  EXPECT_EQ(MakeFolderIdList("/home/u"), (Bytes{6, 0, 'h', 'o', 'm', 'e', 3, 0, 'u', 0, 0}));
  EXPECT_EQ(MakeFolderIdList("/home//./u/"), MakeFolderIdList("/home/u"));
  EXPECT_EQ(MakeFolderIdList("/"), (Bytes{0, 0}));
  EXPECT_TRUE(MakeFolderIdList("").empty());
  EXPECT_TRUE(MakeFolderIdList("relative/path").empty());

  for (const char* path : {"/", "/home/u", "/data/côte d’Ivoire/x y", "/a/.hidden"})
    EXPECT_EQ(FolderIdListPath(MakeFolderIdList(path)), path);
  EXPECT_EQ(FolderIdListPath({3, 0, 'a'}), "") << "malformed";
  EXPECT_EQ(FolderIdListPath({4, 0, '.', '.', 0, 0}), "") << "'..' is not a folder name";
  EXPECT_EQ(FolderIdListPath({5, 0, 'a', '/', 'b', 0, 0}), "") << "a name cannot hold '/'";
}

}  // namespace
