#include <gtest/gtest.h>

#include "core/FileFilter.h"

namespace {

struct FilterCase {
  const char* filter;
  bool useRegex;
  bool dosStarDotStar;
  const char* name;
  bool matches;
};

void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.filter << " on " << c.name; }

class FilterMatch : public testing::TestWithParam<FilterCase> {};

TEST_P(FilterMatch, MatchesWholeNameIgnoringCase) {
  const auto& c = GetParam();
  CFileFilter f;
  ASSERT_TRUE(CompileFileFilter(c.filter, f, c.useRegex, c.dosStarDotStar));
  EXPECT_EQ(f.Matches(c.name), c.matches) << "filter " << c.filter << " name " << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FilterMatch,
    testing::Values(
        FilterCase{"", false, true, "anything.bin", true},
        FilterCase{"/*.bak", false, true, "a.txt", false},  // only exclusions: nothing is included
        FilterCase{"/*.bak", false, true, "a.bak", false},
        FilterCase{"*.*;/*.bak", false, true, "a.txt", true},
        FilterCase{"*.*;/*.bak", false, true, "A.BAK", false},
        FilterCase{"*.*;/*.bak", false, true, "README", true},
        FilterCase{"*.*", false, false, "README", false},
        FilterCase{"*.*", false, false, "a.b", true},
        FilterCase{"*.*", false, true, "README", true},
        FilterCase{"a?.txt", false, true, "a.txt", true},  // ? is zero or one character
        FilterCase{"a?.txt", false, true, "ab.txt", true},
        FilterCase{"a?.txt", false, true, "abc.txt", false},
        FilterCase{"*.TXT", false, true, "notes.txt", true},
        FilterCase{"*.txt", false, true, "notes.txt.gz", false},  // whole-name match
        FilterCase{"*.txt", false, true, "notesAtxt", false},     // the dot is literal
        FilterCase{"txt", true, true, "txt", true},
        FilterCase{"txt", true, true, "a.txt", false},
        FilterCase{";;*.c;;", false, true, "x.c", true},
        FilterCase{"*.c; *.h", false, true, " b.h", true},  // blanks belong to the token
        FilterCase{"*.c; *.h", false, true, "b.h", false},
        FilterCase{"a+b(1)[x]{2}^$|.txt", false, true, "a+b(1)[x]{2}^$|.txt", true},  // all escaped
        FilterCase{"*.txt", false, true, "a\nb.txt", true}));

TEST(FileFilter, InvalidPatternsAreReported) {
  for (auto [text, regex] : {std::pair{"[a-", true}, {"*.txt;(", true}, {"abc\\", false}}) {
    CFileFilter f;
    EXPECT_FALSE(CompileFileFilter(text, f, regex, true)) << text;
  }
}

TEST(FileFilter, TranslatesDosWildcardsInOrder) {
  struct {
    const char* in;
    bool dos;
    const char* out;
  } cases[] = {
      {"*.txt", true, ".*\\.txt"},
      {"*.*", true, ".*"},
      {"*.*", false, ".*\\..*"},
      {"file?.c", true, "file.?\\.c"},
      {"a|b+(c){d}[e]^f$", true, "a\\|b\\+\\(c\\)\\{d\\}\\[e\\]\\^f\\$"},
      {"x\\y;/z", true, "x\\y;/z"},
  };
  for (auto& c : cases) EXPECT_EQ(TranslateDosWildcards(c.in, c.dos), c.out) << c.in;
}

TEST(FileFilter, ExpandEscapes) {
  struct {
    const char* in;
    std::string out;
  } cases[] = {
      {"a\\tb\\q", std::string("a\tb\\q")},
      {"\\n", "\n"},
      {"\\\\n", "\\n"},
      {"\\a\\f\\r\\v", "\a\f\r\v"},
      {"end\\", "end\\"},
      {"", ""},
  };
  for (auto& c : cases) EXPECT_EQ(ExpandEscapes(c.in), c.out) << c.in;
}

TEST(FileFilter, NormalizesFilterTextAsPagesDo) {
  EXPECT_EQ(NormalizeFilterText("  *.c ; *.h \t", false), "*.c ; *.h");
  EXPECT_EQ(NormalizeFilterText("   ", false), "*");
  EXPECT_EQ(NormalizeFilterText("", true), ".*");
}

}  // namespace
