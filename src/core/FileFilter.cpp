#include "FileFilter.h"

namespace {

constexpr auto kFlags = boost::regex::normal | boost::regex::icase | boost::regex::nosubs;

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(s.size());
  size_t pos = 0;
  while (true) {
    size_t hit = s.find(from, pos);
    if (hit == std::string::npos) break;
    out.append(s, pos, hit - pos);
    out.append(to);
    pos = hit + from.size();
  }
  out.append(s, pos, std::string::npos);
  s = std::move(out);
}

}  // namespace

bool CFileFilter::AddPattern(const std::string& pattern, bool exclusion) {
  try {
    (exclusion ? exclusions_ : inclusions_).emplace_back(pattern, kFlags);
    return true;
  } catch (const boost::regex_error&) {
    return false;
  }
}

bool CFileFilter::Matches(std::string_view name) const {
  const char* b = name.data();
  const char* e = b + name.size();
  // match_single_line keeps ^ and $ at the ends of the name even when it holds a line feed.
  const auto flags = boost::match_default | boost::match_single_line;
  try {
    for (const auto& re : exclusions_)
      if (boost::regex_match(b, e, re, flags)) return false;
    for (const auto& re : inclusions_)
      if (boost::regex_match(b, e, re, flags)) return true;
  } catch (const std::runtime_error&) {
    // A pathological pattern that exhausts the matcher's budget matches nothing.
  }
  return false;
}

void CFileFilter::Clear() {
  inclusions_.clear();
  exclusions_.clear();
}

std::string TranslateDosWildcards(std::string_view text, bool dosStarDotStar) {
  std::string s(text);
  if (dosStarDotStar) ReplaceAll(s, "*.*", "*");
  ReplaceAll(s, ".", "\\.");
  ReplaceAll(s, "*", ".*");
  ReplaceAll(s, "?", ".?");
  ReplaceAll(s, "|", "\\|");
  ReplaceAll(s, "+", "\\+");
  ReplaceAll(s, "(", "\\(");
  ReplaceAll(s, ")", "\\)");
  ReplaceAll(s, "{", "\\{");
  ReplaceAll(s, "}", "\\}");
  ReplaceAll(s, "[", "\\[");
  ReplaceAll(s, "]", "\\]");
  ReplaceAll(s, "^", "\\^");
  ReplaceAll(s, "$", "\\$");
  return s;
}

bool CompileFileFilter(std::string_view text, CFileFilter& filter, bool useRegex, bool dosStarDotStar) {
  std::string s = useRegex ? std::string(text) : TranslateDosWildcards(text, dosStarDotStar);
  if (s.empty()) s = ".*";
  size_t pos = 0;
  while (pos <= s.size()) {
    size_t end = s.find(';', pos);
    if (end == std::string::npos) end = s.size();
    if (end > pos) {
      bool exclusion = s[pos] == '/';
      std::string token = s.substr(pos + (exclusion ? 1 : 0), end - pos - (exclusion ? 1 : 0));
      if (!filter.AddPattern(token, exclusion)) return false;
    }
    pos = end + 1;
  }
  return true;
}

std::string ExpandEscapes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      char r = 0;
      switch (text[i + 1]) {
        case '\\': r = '\\'; break;
        case 'a': r = '\a'; break;
        case 'f': r = '\f'; break;
        case 'n': r = '\n'; break;
        case 'r': r = '\r'; break;
        case 't': r = '\t'; break;
        case 'v': r = '\v'; break;
        default: break;
      }
      if (r != 0) {
        out.push_back(r);
        ++i;
        continue;
      }
    }
    out.push_back(c);
  }
  return out;
}

std::string NormalizeFilterText(std::string_view text, bool useRegex) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
  size_t b = 0, e = text.size();
  while (b < e && isBlank(text[b])) ++b;
  while (e > b && isBlank(text[e - 1])) --e;
  if (b == e) return useRegex ? ".*" : "*";
  return std::string(text.substr(b, e - b));
}
