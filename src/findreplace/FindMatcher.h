#pragma once
// The matcher of the text search: a plain text (with or without ASCII case folding) or a Perl
// regular expression, searched in one range of a chunk at a time.
//
//   CFindMatcher m;
//   if (!m.Compile("PM_[A-Z]+_RESUME", /*regex=*/true, /*matchCase=*/true)) return 4;
//   SearchRange r{p, e, /*prevAvailable=*/p > chunkStart, /*firstSearch=*/true, /*atEof=*/false};
//   if (m.Search(r) == CFindMatcher::Found) use(r.offset, r.length);
#include <memory>
#include <string>

#include <boost/regex.hpp>

#include "LiteralFinder.h"

struct SearchRange {
  const char* begin = nullptr;
  const char* end = nullptr;
  bool prevAvailable = false;  // begin[-1] is a byte of the text (not its start)
  bool firstSearch = true;     // the first search of the file: an empty match may start it
  bool atEof = true;           // no bytes of the text follow `end`
  // Results of a Found search: offset of the match from begin, and its length.
  ptrdiff_t offset = 0;
  ptrdiff_t length = 0;
};

class CFindMatcher {
 public:
  enum Result { NotFound, Found, Error };

  // Plain texts are used as given (the caller expands escapes). False when a regular expression
  // does not compile.
  bool Compile(const std::string& text, bool regex, bool matchCase);
  Result Search(SearchRange& range) const;
  // Byte length of the shortest text that can hold a match: the plain text's length, 1 for a
  // regular expression.
  size_t MinLength() const { return regex_ ? 1 : literal_.size(); }
  bool IsRegex() const { return static_cast<bool>(regex_); }

 private:
  CLiteralFinder literal_;      // the plain text, or the regex's required literal
  bool hasPrefilter_ = false;
  std::unique_ptr<boost::regex> regex_;
};
