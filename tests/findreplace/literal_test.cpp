#include <gtest/gtest.h>

#include <random>

#include "findreplace/LiteralFinder.h"
#include "findreplace/RequiredLiteral.h"

namespace {

// Reference: the first position where the needle matches, folding ASCII letters when asked.
const char* NaiveFind(const std::string& hay, const std::string& needle, bool fold) {
  for (size_t i = 0; i + needle.size() <= hay.size(); ++i) {
    bool ok = true;
    for (size_t k = 0; k < needle.size() && ok; ++k)
      ok = fold ? FoldAscii(hay[i + k]) == FoldAscii(needle[k]) : hay[i + k] == needle[k];
    if (ok) return hay.data() + i;
  }
  return nullptr;
}

TEST(LiteralFinder, AgreesWithANaiveSearchOnRandomBytes) {
  std::mt19937 rng(12345);
  // A small alphabet with letters of both cases and bytes near the folding edge ('@', '[', '`').
  const std::string alphabet("aAbB@[`{\xff\x00z", 11);
  for (int round = 0; round < 3000; ++round) {
    std::string hay(rng() % 200, 0), needle(1 + rng() % 6, 0);
    for (auto& c : hay) c = alphabet[rng() % alphabet.size()];
    for (auto& c : needle) c = alphabet[rng() % alphabet.size()];
    for (bool fold : {false, true}) {
      CLiteralFinder f(needle, fold);
      EXPECT_EQ(f.Find(hay.data(), hay.data() + hay.size()), NaiveFind(hay, needle, fold))
          << "round " << round << " fold " << fold;
    }
  }
}

TEST(LiteralFinder, NeverReadsOrMatchesPastTheRangeEnd) {
  std::string hay = "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxneedle";
  CLiteralFinder f("needle", false);
  const char* b = hay.data();
  EXPECT_EQ(f.Find(b, b + hay.size()), b + hay.size() - 6);
  EXPECT_EQ(f.Find(b, b + hay.size() - 1), nullptr);
}

TEST(RequiredLiteral, FindsOnlyWhatEveryMatchMustHold) {
  struct {
    const char* re;
    const char* lit;
  } cases[] = {
      {"PM_[A-Z]+_RESUME", "_RESUME"},
      {"hello", "hello"},
      {"ab?cdef", "cdef"},
      {"ab+c", "ab"},
      {"a{2,3}bcd", "bcd"},
      {"foo|barbaz", ""},
      {"(?i)abc", ""},
      {"x(abc)*yz", "yz"},
      {"\\x41BCD", ""},
      {"\\.config\\b", ".config"},
      {"[abc]+", ""},
      {"[]x]yz", "yz"},
      {"a\\d+bc", "bc"},
      {"\\<tab\\>", "tab"},
  };
  for (auto& c : cases) EXPECT_EQ(RequiredLiteral(c.re), c.lit) << c.re;
}

}  // namespace
