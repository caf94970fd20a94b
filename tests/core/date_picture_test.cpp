#include "core/DatePicture.h"

#include <gtest/gtest.h>

namespace {

TEST(DatePicture, QtFormatsBecomePictures) {
  struct {
    const char* qt;
    const char* picture;
  } cases[] = {
      {"h:mm:ss AP t", "h:mm:ss tt"},  // 12-hour with designator; the zone has no letter
      {"HH:mm:ss t", "HH:mm:ss"},
      {"h:mm", "H:mm"},                // Qt's h without AM/PM is the 24-hour clock
      {"h 'h' mm", "H 'h' mm"},
      {"hh.mm.ss.zzz ap", "hh.mm.ss. tt"},
      {"M/d/yy", "M/d/yy"},
      {"dd.MM.yyyy", "dd.MM.yyyy"},
      {"d 'de' MMMM 'de' yyyy", "d 'de' MMMM 'de' yyyy"},
  };
  for (auto& c : cases) EXPECT_EQ(PictureFromQtFormat(c.qt), c.picture) << c.qt;
}

TEST(DatePicture, LettersAndLiterals) {
  DateNames names;
  names.shortDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  names.longDays = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  names.shortMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  names.longMonths = {"January", "February", "March",     "April",   "May",      "June",
                      "July",    "August",   "September", "October", "November", "December"};
  names.am = "vorm.";
  names.pm = "nachm.";
  names.shortDatePicture = "dd.MM.yy";
  names.timePicture = "HH:mm:ss";
  // Tuesday 1 January 2008, 00:05:09 and 13:05:09.
  LocalCalendar midnight{2008, 1, 2, 1, 0, 5, 9, 0};
  LocalCalendar afternoon{2008, 1, 2, 1, 13, 5, 9, 0};
  struct {
    const LocalCalendar& c;
    bool date;
    const char* picture;
    const char* expected;
  } cases[] = {
      {midnight, true, "d dd ddd dddd ddddd", "1 01 Tue Tuesday Tuesday"},
      {midnight, true, "M MM MMM MMMM", "1 01 Jan January"},
      {midnight, true, "y yy yyyy", "8 08 2008"},
      {midnight, true, "'d''M' d", "d'M 1"},
      {midnight, true, "'open", "open"},
      {midnight, true, "", "01.01.08"},
      {midnight, false, "h hh H HH", "12 12 0 00"},
      {afternoon, false, "h hh H HH", "1 01 13 13"},
      {afternoon, false, "m mm s ss", "5 05 9 09"},
      {midnight, false, "t tt", "v vorm."},
      {afternoon, false, "tt 'tt'", "nachm. tt"},
      {afternoon, false, "", "13:05:09"},
      {afternoon, false, "d/M/y", "d/M/y"},
  };
  for (auto& c : cases) {
    std::string got = c.date ? FormatDatePicture(c.c, c.picture, names) : FormatTimePicture(c.c, c.picture, names);
    EXPECT_EQ(got, c.expected) << c.picture;
  }
}

}  // namespace
