#include "TouchTime.h"

#include <cerrno>
#include <charconv>
#include <ctime>

namespace {

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Reads exactly `width` digits at `pos`.
bool Digits(std::string_view s, size_t pos, size_t width, int& out) {
  if (pos + width > s.size()) return false;
  for (size_t i = pos; i < pos + width; ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return std::from_chars(s.data() + pos, s.data() + pos + width, out).ec == std::errc();
}

}  // namespace

bool IsValidLocalTime(const LocalCalendar& t) {
  if (t.year < 1 || t.year > 9999 || t.month < 1 || t.month > 12) return false;
  if (t.day < 1 || t.day > DaysInMonth(t.year, t.month)) return false;
  return t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

bool ParseLocalTime(std::string_view s, LocalCalendar& out) {
  // YYYY-MM-DD HH:MM:SS
  if (s.size() != 19 || s[4] != '-' || s[7] != '-' || (s[10] != ' ' && s[10] != 'T') || s[13] != ':' ||
      s[16] != ':')
    return false;
  LocalCalendar t;
  if (!Digits(s, 0, 4, t.year) || !Digits(s, 5, 2, t.month) || !Digits(s, 8, 2, t.day) ||
      !Digits(s, 11, 2, t.hour) || !Digits(s, 14, 2, t.minute) || !Digits(s, 17, 2, t.second))
    return false;
  if (!IsValidLocalTime(t)) return false;
  out = t;
  return true;
}

bool LocalTimeToStamp(const LocalCalendar& t, std::int64_t& stamp) {
  if (!IsValidLocalTime(t)) return false;
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  // -1: let the C library decide from the zone's rules at this very date whether daylight
  // saving time applies, instead of taking today's offset.
  tm.tm_isdst = -1;
  errno = 0;
  std::time_t r = std::mktime(&tm);
  // -1 is also the valid stamp of 1969-12-31 23:59:59 UTC; errno tells the two apart.
  if (r == static_cast<std::time_t>(-1) && errno != 0) return false;
  stamp = static_cast<std::int64_t>(r);
  return true;
}
