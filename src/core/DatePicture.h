#pragma once
// Dates and times written by a picture of day, month, year, hour, minute and second letters, with
// the names and default formats of the user's locale (QLocale::system()).
//
//   LocalCalendar c; ToLocalCalendar(stamp, c);
//   FormatDatePicture(c, "ddd dd MMM yyyy")    // "Thu 27 Jan 1970"
//   FormatTimePicture(c, "hh':'mm tt")         // "02:03 PM"
//   FormatDatePicture(c, "")                   // the locale's short date, "1/27/70" in en_US
//
// Date letters: d dd (day), ddd dddd (day name), M MM (month), MMM MMMM (month name), y yy yyyy
// (year). Time letters: h hh (12-hour), H HH (24-hour), m mm, s ss, t tt (AM/PM designator).
// Text between single quotes is literal ('' inside gives one quote); every other character,
// including the letters of the other kind, is copied as it is.
#include <array>
#include <string>
#include <string_view>

#include "Format.h"

struct DateNames {
  std::array<std::string, 7> shortDays, longDays;  // Sunday first
  std::array<std::string, 12> shortMonths, longMonths;
  std::string am, pm;
  std::string shortDatePicture;  // in the picture language above
  std::string timePicture;
};

// The names and default pictures of QLocale::system(), read once.
const DateNames& SystemDateNames();

std::string FormatDatePicture(const LocalCalendar& c, std::string_view picture,
                              const DateNames& names = SystemDateNames());
std::string FormatTimePicture(const LocalCalendar& c, std::string_view picture,
                              const DateNames& names = SystemDateNames());

// A Qt date or time format ("h:mm:ss AP t") in the picture language above ("h:mm:ss tt"); the
// time zone and millisecond fields have no letter there and are left out.
std::string PictureFromQtFormat(std::string_view qtFormat);
