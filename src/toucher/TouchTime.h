#pragma once
// Local dates and times of the File Toucher: parsing the text a user types and turning a local
// date and time into a time stamp with the time zone rules in force at that date (a summer date
// keeps its summer offset even when the touch runs in winter).
//
//   LocalCalendar t;
//   if (ParseLocalTime("2024-07-01 12:00:00", t)) {
//     std::int64_t stamp;
//     LocalTimeToStamp(t, stamp);   // 1719828000 in Europe/Berlin (10:00 UTC)
//   }
#include <cstdint>
#include <string_view>

#include "core/Format.h"

// Parses "YYYY-MM-DD HH:MM:SS" (also with a "T" between date and time); false for any other
// text or a date that does not exist (2023-02-29, 24:00:00).
bool ParseLocalTime(std::string_view text, LocalCalendar& out);

// True when the fields name a real date (year 1..9999) and a time of day in whole seconds.
bool IsValidLocalTime(const LocalCalendar& t);

// Seconds since 1970 UTC for a local date and time, converted with the rules of the local time
// zone at that date; false when the fields are invalid or the stamp cannot be represented.
bool LocalTimeToStamp(const LocalCalendar& t, std::int64_t& stamp);
