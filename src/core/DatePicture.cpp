#include "DatePicture.h"

#include <QLocale>
#include <QString>

namespace {

std::string TwoDigits(int v) {
  std::string s = std::to_string(v);
  return s.size() < 2 ? "0" + s : s;
}

size_t RunLength(std::string_view p, size_t i) {
  size_t n = 1;
  while (i + n < p.size() && p[i + n] == p[i]) ++n;
  return n;
}

// Copies a quoted literal starting at p[i] == '\''; returns the position after it.
size_t CopyQuoted(std::string_view p, size_t i, std::string& out) {
  ++i;
  while (i < p.size()) {
    if (p[i] == '\'') {
      if (i + 1 < p.size() && p[i + 1] == '\'') {
        out += '\'';
        i += 2;
        continue;
      }
      return i + 1;
    }
    out += p[i++];
  }
  return i;
}

// The byte length of the first UTF-8 character of `s` (0 for an empty text).
size_t Utf8CharLength(const std::string& s) {
  if (s.empty()) return 0;
  unsigned char b = static_cast<unsigned char>(s[0]);
  size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
  return n < s.size() ? n : s.size();
}

int Hour12(int h) {
  h %= 12;
  return h == 0 ? 12 : h;
}

}  // namespace

std::string PictureFromQtFormat(std::string_view f) {
  bool twelveHour = false;  // an AM/PM field outside the quoted literals
  for (size_t i = 0; i < f.size(); ++i) {
    if (f[i] == '\'') {
      while (++i < f.size() && f[i] != '\'') {
      }
    } else if (f[i] == 'A' || f[i] == 'a') {
      twelveHour = true;
    }
  }
  std::string out;
  for (size_t i = 0; i < f.size();) {
    char c = f[i];
    size_t n = RunLength(f, i);
    if (c == '\'') {
      size_t end = i + 1;
      while (end < f.size() && f[end] != '\'') ++end;
      out.append(f.substr(i, end + 1 - i));
      i = end + 1;
      continue;
    }
    if (c == 'A' || c == 'a') {
      out += "tt";
      i += (i + 1 < f.size() && (f[i + 1] == 'P' || f[i + 1] == 'p')) ? 2 : 1;
      continue;
    }
    if (c == 't' || c == 'z') {
      // No picture letter for these: drop them with the blank that separated them.
      while (!out.empty() && out.back() == ' ') out.pop_back();
      i += n;
      continue;
    }
    if (c == 'h' && !twelveHour) c = 'H';  // Qt's h is 24-hour unless AM/PM is shown
    out.append(n, c);
    i += n;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

const DateNames& SystemDateNames() {
  static const DateNames names = [] {
    QLocale loc = QLocale::system();
    DateNames n;
    for (int d = 0; d < 7; ++d) {
      int qtDay = d == 0 ? 7 : d;  // Qt counts Monday = 1 ... Sunday = 7
      n.shortDays[d] = loc.dayName(qtDay, QLocale::ShortFormat).toStdString();
      n.longDays[d] = loc.dayName(qtDay, QLocale::LongFormat).toStdString();
    }
    for (int m = 0; m < 12; ++m) {
      n.shortMonths[m] = loc.monthName(m + 1, QLocale::ShortFormat).toStdString();
      n.longMonths[m] = loc.monthName(m + 1, QLocale::LongFormat).toStdString();
    }
    n.am = loc.amText().toStdString();
    n.pm = loc.pmText().toStdString();
    n.shortDatePicture = PictureFromQtFormat(loc.dateFormat(QLocale::ShortFormat).toStdString());
    // The default time shows seconds, as the long format does.
    n.timePicture = PictureFromQtFormat(loc.timeFormat(QLocale::LongFormat).toStdString());
    return n;
  }();
  return names;
}

std::string FormatDatePicture(const LocalCalendar& c, std::string_view p, const DateNames& names) {
  if (p.empty()) p = names.shortDatePicture;
  std::string out;
  int dow = c.dayOfWeek >= 0 && c.dayOfWeek < 7 ? c.dayOfWeek : 0;
  int mon = c.month >= 1 && c.month <= 12 ? c.month - 1 : 0;
  for (size_t i = 0; i < p.size();) {
    char ch = p[i];
    if (ch == '\'') {
      i = CopyQuoted(p, i, out);
      continue;
    }
    size_t n = RunLength(p, i);
    if (ch == 'd') {
      out += n == 1 ? std::to_string(c.day) : n == 2 ? TwoDigits(c.day) : n == 3 ? names.shortDays[dow] : names.longDays[dow];
    } else if (ch == 'M') {
      out += n == 1 ? std::to_string(c.month) : n == 2 ? TwoDigits(c.month) : n == 3 ? names.shortMonths[mon] : names.longMonths[mon];
    } else if (ch == 'y') {
      out += n == 1 ? std::to_string(c.year % 100) : n == 2 ? TwoDigits(c.year % 100) : std::to_string(c.year);
    } else {
      out.append(n, ch);
    }
    i += n;
  }
  return out;
}

std::string FormatTimePicture(const LocalCalendar& c, std::string_view p, const DateNames& names) {
  if (p.empty()) p = names.timePicture;
  std::string out;
  for (size_t i = 0; i < p.size();) {
    char ch = p[i];
    if (ch == '\'') {
      i = CopyQuoted(p, i, out);
      continue;
    }
    size_t n = RunLength(p, i);
    auto number = [&](int v) { out += n == 1 ? std::to_string(v) : TwoDigits(v); };
    if (ch == 'h') {
      number(Hour12(c.hour));
    } else if (ch == 'H') {
      number(c.hour);
    } else if (ch == 'm') {
      number(c.minute);
    } else if (ch == 's') {
      number(c.second);
    } else if (ch == 't') {
      const std::string& d = c.hour < 12 ? names.am : names.pm;
      out += n == 1 ? d.substr(0, Utf8CharLength(d)) : d;
    } else {
      out.append(n, ch);
    }
    i += n;
  }
  return out;
}
