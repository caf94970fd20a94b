#pragma once
// Byte-text helpers shared by the conditions and actions of AFR scripts, and the line-number
// text that the Add Line Number action writes and its edit dialog shows as a sample.
//
//   qv::afr::NumberText("%i\"3\": ", 7);   // "007: "
//   qv::afr::LineEnd("ab\ncd", 0);         // 2, the line feed
#include <cstddef>
#include <string>
#include <string_view>

namespace qv::afr {

// The first line feed at or after p, or the end of the text when there is none.
size_t LineEnd(std::string_view text, size_t p);

// Where the line that holds a match starting at ms begins, when everything before the cursor c
// is already written: just after the last line feed at or before ms (looking back to c), else c.
size_t MatchingLineStart(std::string_view text, size_t c, size_t ms);

// The line break a line gets when an action breaks it or adds a line after it: the line's own
// ending when it has one ("\r\n" when a carriage return precedes its line feed), otherwise the
// first line ending of the text, and "\n" when the text has none. `lineEnd` is the position of
// the line's line feed, or the end of the text for a last line without one.
std::string_view LineBreakFor(std::string_view text, size_t lineEnd);

// The text for line number n from an escape-expanded format: `%i"w"` gives n with at least w
// digits (w capped at 255), `%%` a percent sign, anything else stays as it is.
std::string NumberText(std::string_view format, long long n);
void AppendNumberText(std::string& out, std::string_view format, long long n);

// Equality of two byte ranges of length n; without matchCase the letters A-Z and a-z compare equal.
bool BytesEqual(const char* a, const char* b, size_t n, bool matchCase);

// Whether the byte at i ends a word for the capitalize-words case mode. A byte of a multi-byte
// UTF-8 character never does, except the acute accent U+00B4 as a whole (C2 B4).
bool IsWordSeparatorAt(std::string_view text, size_t i);

// Asks for huge pages behind a large buffer about to be filled: a 100 MB text then costs a few
// dozen page faults instead of 25,000. Does nothing for small buffers or where not supported.
void AdviseHugePages(void* p, size_t n);

}  // namespace qv::afr
