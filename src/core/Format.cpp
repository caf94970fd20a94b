#include "Format.h"

#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <mutex>

#include <QLocale>
#include <QString>

ScaledSize ScaleSize(std::uint64_t bytes) {
  static constexpr char kUnits[] = {'K', 'M', 'G', 'T', 'P'};
  double v = static_cast<double>(bytes);
  if (bytes < 1024) return {v, 0};
  for (char u : kUnits) {
    v /= 1024.0;
    if (v < 1024.0) return {v, u};
  }
  return {v / 1024.0, 'E'};
}

NumberLocale SystemNumberLocale() {
  // Read once: the locale does not change while the program runs.
  static const NumberLocale cached = [] {
    QLocale loc = QLocale::system();
    // The C locale omits group separators by default; users of it still get grouped numbers.
    loc.setNumberOptions(QLocale::DefaultNumberOptions);
    NumberLocale l;
    l.decimalPoint = loc.decimalPoint().toStdString();
    l.groupSeparator = loc.groupSeparator().toStdString();
    l.negativeSign = loc.negativeSign().toStdString();
    // Qt does not publish the grouping sizes; read them off a formatted number.
    QString sample = loc.toString(Q_INT64_C(123456789012));
    QString sep = loc.groupSeparator();
    if (sep.isEmpty() || !sample.contains(sep)) {
      l.primaryGroup = 0;
      l.secondaryGroup = 0;
    } else {
      QStringList parts = sample.split(sep);
      l.primaryGroup = static_cast<int>(parts.back().size());
      l.secondaryGroup = parts.size() > 2 ? static_cast<int>(parts[parts.size() - 2].size()) : l.primaryGroup;
    }
    return l;
  }();
  return cached;
}

std::string FormatNumber(std::string_view number, int decimals, const NumberLocale& loc) {
  std::string_view s = number;
  bool negative = !s.empty() && s[0] == '-';
  if (negative) s.remove_prefix(1);
  size_t dot = s.find('.');
  std::string_view intPart = s.substr(0, dot);
  std::string_view fracPart = dot == std::string_view::npos ? std::string_view() : s.substr(dot + 1);
  auto allDigits = [](std::string_view t) {
    for (char c : t)
      if (c < '0' || c > '9') return false;
    return true;
  };
  if (intPart.empty() || !allDigits(intPart) || !allDigits(fracPart)) return std::string(number);
  if (decimals < 0) decimals = loc.defaultDecimals;

  // Round half up on the digit text, so that 64-bit counts keep every digit.
  std::string digits(intPart);
  std::string frac(fracPart);
  bool roundUp = frac.size() > static_cast<size_t>(decimals) && frac[decimals] >= '5';
  frac.resize(decimals, '0');
  if (roundUp) {
    std::string all = digits + frac;
    int i = static_cast<int>(all.size()) - 1;
    for (; i >= 0; --i) {
      if (all[i] == '9') {
        all[i] = '0';
      } else {
        ++all[i];
        break;
      }
    }
    if (i < 0) all.insert(all.begin(), '1');
    digits = all.substr(0, all.size() - decimals);
    frac = all.substr(all.size() - decimals);
  }
  size_t firstNonZero = digits.find_first_not_of('0');
  digits = firstNonZero == std::string::npos ? "0" : digits.substr(firstNonZero);

  std::string grouped;
  if (loc.primaryGroup <= 0 || loc.groupSeparator.empty()) {
    grouped = digits;
  } else {
    // Walk from the right: the first group has primaryGroup digits, the rest secondaryGroup.
    std::string rev;
    int inGroup = 0, groupSize = loc.primaryGroup;
    std::string sepRev(loc.groupSeparator.rbegin(), loc.groupSeparator.rend());
    for (size_t i = digits.size(); i-- > 0;) {
      if (inGroup == groupSize) {
        rev += sepRev;
        inGroup = 0;
        if (loc.secondaryGroup > 0) groupSize = loc.secondaryGroup;
      }
      rev.push_back(digits[i]);
      ++inGroup;
    }
    grouped.assign(rev.rbegin(), rev.rend());
  }
  std::string out;
  bool isZero = digits == "0" && frac.find_first_not_of('0') == std::string::npos;
  if (negative && !isZero) out = loc.negativeSign;
  out += grouped;
  if (decimals > 0) out += loc.decimalPoint + frac;
  return out;
}

std::string FormatNumber(std::string_view number, int decimals) {
  return FormatNumber(number, decimals, SystemNumberLocale());
}

std::string FormatCount(std::uint32_t n) { return FormatNumber(std::to_string(n), 0); }

std::string FormatCount64(std::uint64_t n) { return FormatNumber(std::to_string(n), 0); }

std::string FormatReal(double value, int decimals) {
  char buf[512];
  std::snprintf(buf, sizeof buf, "%f", value);
  return FormatNumber(buf, decimals);
}

namespace {
std::string WithUnit(const ScaledSize& s, const char* suffix) {
  std::string t = FormatReal(s.value, -1);
  t += ' ';
  if (s.unit) t += s.unit;
  t += suffix;
  return t;
}
}  // namespace

std::string FormatSize(std::uint64_t bytes) { return WithUnit(ScaleSize(bytes), "B"); }

std::string FormatSpeed(std::uint64_t bytesPerSecond) { return WithUnit(ScaleSize(bytesPerSecond), "B/sec"); }

std::string FormatSizeInUnit(std::uint64_t bytes, int unitIndex) {
  static constexpr char kLetters[] = {'K', 'M', 'G', 'T', 'P', 'E'};
  if (unitIndex <= 0 || unitIndex > 7) return FormatSize(bytes);
  if (unitIndex == 1) return FormatNumber(std::to_string(bytes), -1) + " B";
  double v = static_cast<double>(bytes);
  for (int i = 2; i <= unitIndex; ++i) v /= 1024.0;
  char buf[512];
  std::snprintf(buf, sizeof buf, "%f", v);
  std::string t = FormatNumber(buf, -1);
  t += ' ';
  t += kLetters[unitIndex - 2];
  t += 'B';
  return t;
}

void ToLocalCalendar(std::int64_t seconds, LocalCalendar& out) {
  std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  if (!::localtime_r(&t, &tm)) return;
  out.year = tm.tm_year + 1900;
  out.month = tm.tm_mon + 1;
  out.dayOfWeek = tm.tm_wday;
  out.day = tm.tm_mday;
  out.hour = tm.tm_hour;
  out.minute = tm.tm_min;
  out.second = tm.tm_sec;
  out.milliseconds = 0;
}
