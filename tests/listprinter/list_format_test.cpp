#include "listprinter/ListFormat.h"

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "common/TempDir.h"

namespace {

// Names, formats and times must not depend on the machine running the tests.
const bool kFixedLocale = [] {
  ::setenv("LC_ALL", "en_US.UTF-8", 1);
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  return true;
}();

// 2003-02-26 16:45:07 UTC, a Wednesday.
constexpr std::time_t kModified = 1046277907;
// 1999-12-31 23:59:59 UTC.
constexpr std::time_t kAccessed = 946684799;

void SetTimes(const std::string& path, std::time_t modified, std::time_t accessed) {
  struct timespec ts[2] = {{accessed, 0}, {modified, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), ts, AT_SYMLINK_NOFOLLOW), 0);
}

std::string Expand(std::string_view format, const std::string& path, std::int32_t number = 7,
                   bool keepExtension = false) {
  std::string out;
  EXPECT_TRUE(ExpandListFormat(out, number, format, &path, keepExtension, false));
  return out;
}

class ListFormatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // 2,693,857 bytes without writing them.
    sample_ = dir_.Write("folder/sample.ext", "");
    ASSERT_EQ(::truncate(sample_.c_str(), 2693857), 0);
    SetTimes(sample_, kModified, kAccessed);
  }
  TempDir dir_;
  std::string sample_;
};

struct TokenCase {
  const char* format;
  const char* expected;
};

TEST_F(ListFormatTest, TokensAndPicturesOfOneFile) {
  const TokenCase cases[] = {
      {"%f", "sample.ext"},
      {"%F", "sample"},
      {"%e", "ext"},
      {"[%%]", "[%]"},
      {"%s", "2.57 MB"},
      {"%s\"\"", "2.57 MB"},
      {"%s\"a\"", "2.57"},
      {"%s\"b\"", "2,693,857"},
      {"%s\"k\"", "2,630.72"},
      {"%s\"kilo\"", "2,630.72"},  // only the first letter counts
      {"%s\"m\"", "2.57"},
      {"%s\"g\"", "0.00"},
      {"%s\"e\"", "0.00"},
      {"%s\"x\"", ""},
      {"%s\"K\"", ""},
      {"%s\"k", "\"k"},            // no closing quote: nothing, then the rest as text
      {"%q", "%q"},
      {"%\"x\"|", "%\"|"},         // the quote on the letter itself opens the picture
      {"end%", "end%"},
      {"\\t", "\\t"},              // backslash-t is not the expander's business
      {"%f \"x\"", "sample.ext"},  // a picture that %f ignores swallows the blank and the quotes
      {"%f\"x\"", "sample.ext"},
      {"%f  \"x\"", "sample.ext  \"x\""},  // too far away: plain text
      {"%i", "7"},
      {"%i\"3\"", "007"},
      {"%i\"abc\"", "7"},
      {"%i\"2x\"", "07"},
      {"%dm\"yyyy-MM-dd\"", "2003-02-26"},
      {"%dm\"d/M/y\"", "26/2/3"},
      {"%dm\"dd/MM/yy\"", "26/02/03"},
      {"%dm\"ddd dd MMM yyyy\"", "Wed 26 Feb 2003"},
      {"%dm\"dddd d MMMM yyyy\"", "Wednesday 26 February 2003"},
      {"%dm\"'day' d, 'it''s' M\"", "day 26, it's 2"},
      {"%dm\"d h:m\"", "26 h:m"},  // time letters are text in a date picture
      {"%dm", "2/26/03"},           // the locale's short date
      {"%d", "2/26/03"},
      {"%dz", "2/26/03z"},          // an unknown selector is not consumed ...
      {"%dz\"yyyy\"", "2003"},      // ... unless a picture follows it
      {"%da\"yyyy-MM-dd\"", "1999-12-31"},
      {"%tm\"HH:mm:ss\"", "16:45:07"},
      {"%tm\"h':'m':'s\"", "4:45:7"},
      {"%tm\"hh:mm tt|t\"", "04:45 PM|P"},
      {"%ta\"H.m.s\"", "23.59.59"},
      {"%t", "4:45:07 PM"},         // the locale's time format, with seconds
      {"%tm\"\"", "4:45:07 PM"},
  };
  for (const auto& c : cases) EXPECT_EQ(Expand(c.format, sample_), c.expected) << "format: " << c.format;
  EXPECT_EQ(Expand("%p", sample_), dir_.path() + "/folder/");
}

TEST_F(ListFormatTest, CurrentSystemTimeAndCreationTime) {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  ::gmtime_r(&now, &tm);
  EXPECT_EQ(Expand("%ds\"yyyy\"", sample_), std::to_string(tm.tm_year + 1900));
  // The birth time where the file system records it (it was created just now), else the
  // modification time.
  std::string created = Expand("%dc\"yyyy\"", sample_);
  EXPECT_TRUE(created == std::to_string(tm.tm_year + 1900) || created == "2003") << created;
}

TEST_F(ListFormatTest, SizesInEveryForm) {
  struct {
    std::uint64_t size;
    const char* automatic;
    const char* valueOnly;
  } cases[] = {
      {0, "0 B", "0"},
      {512, "512 B", "512"},
      {1023, "1,023 B", "1,023"},
      {1024, "1.00 KB", "1.00"},
      {1048575, "1,024.00 KB", "1,024.00"},
      {1048576, "1.00 MB", "1.00"},
      {1099511627776, "1.00 TB", "1.00"},
  };
  for (auto& c : cases) {
    std::string path = dir_.Write("s.bin", "");
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(c.size)), 0);
    EXPECT_EQ(Expand("%s", path), c.automatic) << c.size;
    EXPECT_EQ(Expand("%s\"a\"", path), c.valueOnly) << c.size;
  }
}

TEST_F(ListFormatTest, NumberPictures) {
  struct {
    std::int32_t number;
    const char* format;
    std::string expected;
  } cases[] = {
      {1, "%i\"3\"", "001"},
      {10, "%i\"3\"", "010"},
      {1000, "%i\"3\"", "1000"},
      {0, "%i\"0\"", ""},
      {0, "%i", "0"},
      {-7, "%i\"3\"", "-007"},
      {-2147483647 - 1, "%i", "-2147483648"},
      // A picture asking for a huge number of digits is capped.
      {5, "%i\"99999999999999999999\"", std::string(kMaxNumberDigits - 1, '0') + "5"},
      {5, "%i\"300\"", std::string(kMaxNumberDigits - 1, '0') + "5"},
  };
  for (auto& c : cases) EXPECT_EQ(Expand(c.format, sample_, c.number), c.expected) << c.format << " " << c.number;
}

TEST_F(ListFormatTest, NamePartsAndKeepExtension) {
  struct {
    const char* name;
    const char* f;
    const char* F;
    const char* e;
    const char* kept;  // %F_%i"2" with number 3 and keepExtension
  } cases[] = {
      {"photo.jpg", "photo.jpg", "photo", "jpg", "photo_03.jpg"},
      {"readme", "readme", "readme", "", "readme_03"},
      {"name.", "name.", "name.", "", "name._03"},
      {"a.tar.gz", "a.tar.gz", "a.tar", "gz", "a.tar_03.gz"},
      {".profile", ".profile", "", "profile", "_03.profile"},
  };
  for (auto& c : cases) {
    std::string path = dir_.path() + "/" + c.name;  // the file need not exist
    EXPECT_EQ(Expand("%f", path), c.f) << c.name;
    EXPECT_EQ(Expand("%F", path), c.F) << c.name;
    EXPECT_EQ(Expand("%e", path), c.e) << c.name;
    EXPECT_EQ(Expand("%F_%i\"2\"", path, 3, true), c.kept) << c.name;
  }
}

TEST_F(ListFormatTest, AttributeLettersAndTypes) {
  std::string plain = dir_.Write("plain.txt", "hello\n");
  std::string readOnly = dir_.Write("ro.txt", "x", 0444);
  std::string hidden = dir_.Write(".hidden", "x");
  std::string folder = dir_.MakeDir("sub");
  std::string link = dir_ / "link";
  ASSERT_EQ(::symlink("plain.txt", link.c_str()), 0);
  std::string sparse = dir_.Write("sparse.bin", "");
  ASSERT_EQ(::truncate(sparse.c_str(), 1 << 20), 0);

  EXPECT_EQ(Expand("[%a]", plain), "[]");
  EXPECT_EQ(Expand("%a", readOnly), "R");
  EXPECT_EQ(Expand("%a", hidden), "H");
  EXPECT_EQ(Expand("%a|%s|%s\"b\"", folder), "<DIR>|0 B|0");
  EXPECT_EQ(Expand("%a", link), "Rp");
  EXPECT_EQ(Expand("%a", sparse), "Sf");
  // A path that cannot be queried reads as archived and read-only, with zero size.
  EXPECT_EQ(Expand("%a|%s", dir_ / "missing"), "AR|0 B");
  EXPECT_EQ(Expand("%dm\"yyyy\"", dir_ / "missing"), "1970");

  EXPECT_EQ(Expand("%E", plain), "plain text document");
  EXPECT_EQ(Expand("%E", folder), "folder");
  EXPECT_EQ(Expand("%E", dir_ / "missing.qvunknownext"), "Unknown Filetype");
}

TEST(ListFormatHeader, TitlesInsteadOfValues) {
  std::string out;
  ASSERT_TRUE(ExpandListFormat(out, 0, "%dm\"dd/MM/yyyy\"\t%s\t%f", nullptr, true, true));
  EXPECT_EQ(out, "Last Modified Date\tSize\tFilename");

  const TokenCase cases[] = {
      {"%p|%f|%F|%e|%E|%a|%s\"k\"|%i\"3\"", "Folder|Filename|Filename|Extension|Filetype|Attributes|Size|Number"},
      {"%dm|%dc|%da|%ds|%d|%dz", "Last Modified Date|Creation Date|Last Accessed Date|Current System Date|"
                                 "Last Modified Date|Last Modified Datez"},
      {"%tm|%tc|%ta|%ts|%t", "Last Modified Time|Creation Time|Last Accessed Time|Current System Time|"
                             "Last Modified Time"},
      {"%%|%x|%", "%|%x|%"},
  };
  for (const auto& c : cases) {
    std::string line;
    std::string path = "/nowhere/file.ext";  // not read, and its extension not kept
    ASSERT_TRUE(ExpandListFormat(line, 0, c.format, &path, true, true));
    EXPECT_EQ(line, c.expected) << c.format;
  }
}

TEST(ListFormatHeader, MissingPathInValueModeFailsAndAppendsNothing) {
  std::string out = "kept";
  EXPECT_FALSE(ExpandListFormat(out, 1, "%f", nullptr, false, false));
  EXPECT_EQ(out, "kept");
  std::string path = "/x/y.txt";
  EXPECT_TRUE(ExpandListFormat(out, 1, "-%F", &path, false, false));
  EXPECT_EQ(out, "kept-y");
}

}  // namespace
