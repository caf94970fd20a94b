#pragma once
// File filters: the text a user types to pick files by name ("*.txt;*.htm;/*.bak"), compiled to
// lists of whole-name, case-insensitive regular expressions.
//
//   CFileFilter filter;
//   if (!CompileFileFilter("*.cpp;*.h;/moc_*", filter, /*useRegex=*/false, /*dosStarDotStar=*/true))
//     return InvalidFilter;
//   filter.Matches("main.CPP");   // true
#include <string>
#include <string_view>
#include <vector>

#include <boost/regex.hpp>

class CFileFilter {
 public:
  // True when no exclusion pattern and at least one inclusion pattern matches the bare name.
  bool Matches(std::string_view fileName) const;
  void Clear();
  bool IsEmpty() const { return inclusions_.empty() && exclusions_.empty(); }

  // Compiles one pattern into the inclusion or exclusion list; false if the pattern is invalid.
  bool AddPattern(const std::string& pattern, bool exclusion);

 private:
  std::vector<boost::regex> inclusions_;
  std::vector<boost::regex> exclusions_;
};

// Compiles `text` into `filter` (which the caller clears first). With useRegex off the text is a
// DOS wildcard text and goes through TranslateDosWildcards first. Returns false as soon as one
// token fails to compile.
bool CompileFileFilter(std::string_view text, CFileFilter& filter, bool useRegex, bool dosStarDotStar);

// Rewrites DOS wildcards (`*`, `?`) into a regular expression; `?` matches zero or one character.
std::string TranslateDosWildcards(std::string_view text, bool dosStarDotStar);

// Expands \\ \a \f \n \r \t \v in a plain search or replace text; other backslashes stay.
std::string ExpandEscapes(std::string_view text);

// The filter text a page hands to a task: blanks trimmed at both ends, an empty text replaced by
// the pattern that matches every file.
std::string NormalizeFilterText(std::string_view text, bool useRegex);
