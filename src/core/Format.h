#pragma once
// Sizes, counts and dates as the user's locale writes them (QLocale::system()).
//
//   FormatSize(1536)              // "1.50 KB" in an English locale
//   FormatCount64(1234567)        // "1,234,567"; "12,34,567" where the locale groups 3 then 2
//   FormatSizeInUnit(1536, 1)     // "1,536.00 B"
#include <cstdint>
#include <string>
#include <string_view>

struct ScaledSize {
  double value = 0;
  char unit = 0;  // 0 for bytes, else one of K M G T P E
};

// The size units offered to the user; the index is what settings store.
inline constexpr const char* kSizeUnitNames[] = {"Auto", "Byte", "Kilobyte", "Megabyte",
                                                 "Gigabyte", "Terabyte", "Petabyte", "Exabyte"};

ScaledSize ScaleSize(std::uint64_t bytes);
// `number` as written by printf ("-1234.5678"); decimals -1 means the locale's default (2).
// A text that is not a number is returned unchanged.
std::string FormatNumber(std::string_view number, int decimals);
std::string FormatCount(std::uint32_t n);
std::string FormatCount64(std::uint64_t n);
std::string FormatReal(double value, int decimals);
std::string FormatSize(std::uint64_t bytes);
std::string FormatSpeed(std::uint64_t bytesPerSecond);
std::string FormatSizeInUnit(std::uint64_t bytes, int unitIndex);

struct LocalCalendar {
  int year = 0, month = 0, dayOfWeek = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
};
// Converts a time stamp (seconds since 1970 UTC) to local calendar fields; leaves `out` as it
// was when the stamp cannot be converted.
void ToLocalCalendar(std::int64_t seconds, LocalCalendar& out);

// The locale facts the formatting uses; tests set them to check the grouping rules without
// depending on the machine's locale.
struct NumberLocale {
  std::string decimalPoint = ".";
  std::string groupSeparator = ",";
  std::string negativeSign = "-";
  int primaryGroup = 3;    // digits in the group next to the decimal point; 0 for no grouping
  int secondaryGroup = 3;  // size of every further group (2 for the "3;2;0" rule)
  int defaultDecimals = 2;
};
NumberLocale SystemNumberLocale();
std::string FormatNumber(std::string_view number, int decimals, const NumberLocale& locale);
