#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>

#include "core/Format.h"

namespace {

// The formatting follows the process locale; these tests pin it before its first use.
const bool kLocalePinned = [] { return setenv("LC_ALL", "C", 1) == 0; }();

TEST(Format, ScaleSizeUnitsAndBoundaries) {
  struct {
    std::uint64_t bytes;
    char unit;
    double value;
  } cases[] = {
      {0, 0, 0}, {1023, 0, 1023}, {1024, 'K', 1}, {1048575, 'K', 1048575 / 1024.0}, {1048576, 'M', 1},
      {1ull << 40, 'T', 1}, {1ull << 50, 'P', 1}, {1ull << 60, 'E', 1},
  };
  for (auto& c : cases) {
    auto s = ScaleSize(c.bytes);
    EXPECT_EQ(s.unit, c.unit) << c.bytes;
    EXPECT_DOUBLE_EQ(s.value, c.value) << c.bytes;
  }
  auto max = ScaleSize(std::numeric_limits<std::uint64_t>::max());
  EXPECT_EQ(max.unit, 'E');
  EXPECT_NEAR(max.value, 16.0, 1e-9);
}

TEST(Format, NumberGroupingAndRounding) {
  NumberLocale en;  // "," groups of 3, "." decimals, 2 default decimals
  NumberLocale in = en;
  in.secondaryGroup = 2;  // 3 then 2
  NumberLocale de = en;
  de.decimalPoint = ",";
  de.groupSeparator = ".";
  struct {
    const NumberLocale* loc;
    const char* number;
    int decimals;
    const char* out;
  } cases[] = {
      {&en, "1234567", 0, "1,234,567"},
      {&in, "1234567", 0, "12,34,567"},
      {&de, "1536.000000", -1, "1.536,00"},
      {&en, "0.000000", -1, "0.00"},
      {&en, "2.5", 0, "3"},           // rounds, not truncates
      {&en, "999.996", 2, "1,000.00"},  // carry into a new group
      {&en, "-1234.5", 1, "-1,234.5"},
      {&en, "18446744073709551615", 0, "18,446,744,073,709,551,615"},
      {&en, "12ab", 0, "12ab"},  // not a number: unchanged
  };
  for (auto& c : cases) EXPECT_EQ(FormatNumber(c.number, c.decimals, *c.loc), c.out) << c.number;
}

TEST(Format, SizesInUnits) {
  // The test runs under the C locale's English number format.
  EXPECT_EQ(FormatSize(1536), "1.50 KB");
  EXPECT_EQ(FormatSize(0), "0.00 B");
  EXPECT_EQ(FormatCount64(1234567), "1,234,567");
  EXPECT_EQ(FormatSizeInUnit(1536, 1), "1,536.00 B");
  EXPECT_EQ(FormatSizeInUnit(1536, 2), "1.50 KB");
  EXPECT_EQ(FormatSizeInUnit(3ull << 30, 4), "3.00 GB");
  EXPECT_EQ(FormatSpeed(2048), "2.00 KB/sec");
  EXPECT_EQ(FormatReal(2.5, 0), "3");
}

TEST(Format, LocalCalendar) {
  setenv("TZ", "UTC", 1);
  tzset();
  LocalCalendar c;
  ToLocalCalendar(86400 * 365 + 3600 * 5 + 61, c);  // 1971-01-01 05:01:01, a Friday
  EXPECT_EQ(c.year, 1971);
  EXPECT_EQ(c.month, 1);
  EXPECT_EQ(c.day, 1);
  EXPECT_EQ(c.dayOfWeek, 5);
  EXPECT_EQ(c.hour, 5);
  EXPECT_EQ(c.minute, 1);
  EXPECT_EQ(c.second, 1);
  EXPECT_EQ(c.milliseconds, 0);
  LocalCalendar untouched;
  untouched.year = 7;
  ToLocalCalendar(std::numeric_limits<std::int64_t>::max(), untouched);
  EXPECT_EQ(untouched.year, 7);
}

}  // namespace
