#include "core/Utf8Case.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8Case, WholeCharactersChangeCase) {
  struct {
    std::string lower, upper;
  } cases[] = {
      {"été.txt", "ÉTÉ.TXT"},
      {"straße", "STRAßE"},          // no one-to-many mapping: the length of a name stays sane
      {"ǆ", "Ǆ"},
      {"привет", "ПРИВЕТ"},
      {"日本.jpg", "日本.JPG"},
  };
  for (auto& c : cases) {
    EXPECT_EQ(Utf8ToUpper(c.lower), c.upper);
    EXPECT_EQ(Utf8ToLower(c.upper), c.lower);
  }
}

TEST(Utf8Case, BytesThatAreNoCharacterStayAsTheyAre) {
  // Latin-1 "é", a lone continuation byte, an overlong "/" and a cut-off sequence.
  std::string in = "a\xE9" "b\x80" "c\xC0\xAF" "d\xC3";
  EXPECT_EQ(Utf8ToUpper(in), "A\xE9" "B\x80" "C\xC0\xAF" "D\xC3");
}

}  // namespace
