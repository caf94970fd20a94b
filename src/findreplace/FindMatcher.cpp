#include "FindMatcher.h"

#include "RequiredLiteral.h"

bool CFindMatcher::Compile(const std::string& text, bool regex, bool matchCase) {
  regex_.reset();
  hasPrefilter_ = false;
  if (!regex) {
    literal_ = CLiteralFinder(text, !matchCase);
    return true;
  }
  auto flags = boost::regex::perl | boost::regex::nosubs;
  if (!matchCase) flags |= boost::regex::icase;
  try {
    regex_ = std::make_unique<boost::regex>(text, flags);
  } catch (const boost::regex_error&) {
    return false;
  }
  std::string lit = RequiredLiteral(text);
  if (!lit.empty()) {
    literal_ = CLiteralFinder(lit, !matchCase);
    hasPrefilter_ = true;
  }
  return true;
}

CFindMatcher::Result CFindMatcher::Search(SearchRange& r) const {
  if (!regex_) {
    const char* hit = literal_.Find(r.begin, r.end);
    if (!hit) return NotFound;
    r.offset = hit - r.begin;
    r.length = static_cast<ptrdiff_t>(literal_.size());
    return Found;
  }
  // Every match holds the required literal, so a range without it holds no match.
  if (hasPrefilter_ && !literal_.Find(r.begin, r.end)) return NotFound;
  auto flags = boost::match_default | boost::match_nosubs;
  if (!r.firstSearch) flags |= boost::regex_constants::match_not_initial_null;
  if (!r.atEof) flags |= boost::match_not_eol | boost::match_not_eob | boost::match_not_eow;
  // Look one byte back so that ^, \< and \b see what precedes the range.
  if (r.prevAvailable) flags |= boost::match_prev_avail;
  try {
    boost::cmatch m;
    if (!boost::regex_search(r.begin, r.end, m, *regex_, flags)) return NotFound;
    r.offset = m[0].first - r.begin;
    r.length = m[0].second - m[0].first;
    return Found;
  } catch (const std::runtime_error&) {
    return Error;
  }
}
