#pragma once
// The longest run of plain bytes that every match of a Perl regular expression must contain, or
// an empty string when none can be told safely (alternation, inline flags, classes only...).
// A search can skip a range without that run and never miss a match.
//
//   RequiredLiteral("PM_[A-Z]+_RESUME")   // "_RESUME"
//   RequiredLiteral("foo|bar")            // ""
#include <string>
#include <string_view>

std::string RequiredLiteral(std::string_view pattern);
