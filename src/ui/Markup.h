#pragma once
// The small markup language of Quorvel's explanations, warnings and questions, parsed into runs
// of text that share their attributes. Tags ignore letter case:
//   <B> </B> bold, <I> </I> italic, <C r,g,b> push a colour, <C C1> push blue, </C> pop,
//   <T1> navy bold heading, </T1> ends it, <U> <D> <S> and their closers are removed,
//   \< is a literal '<'; a '<' before anything else is an ordinary character.
//
//   auto runs = qv::ui::ParseMarkup("<b>Note:</B> a\\<b");
//   // runs[0] = {"Note:", bold}, runs[1] = {" a<b"}
//
// Texts that come from paths or from the user go through EscapeMarkup before they are joined
// into markup, so that a folder named "<B>x" shows literally.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::ui {

struct MarkupColor {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const MarkupColor&) const = default;
};

struct MarkupRun {
  std::string text;  // UTF-8; a line feed is a hard line break
  bool bold = false;
  bool italic = false;
  std::optional<MarkupColor> color;  // empty: the painter's own text colour
  bool operator==(const MarkupRun&) const = default;
};

// Splits `markup` into runs, merging neighbours with equal attributes. With ignoreColors the
// colour tags are removed but change nothing, and <T1> does nothing at all.
std::vector<MarkupRun> ParseMarkup(std::string_view markup, bool ignoreColors = false);

// The text of the runs without any attributes.
std::string MarkupPlainText(const std::vector<MarkupRun>& runs);

// Makes a text show literally inside markup: every '<' becomes "\<".
std::string EscapeMarkup(std::string_view text);

// Message formatting of string-table texts: %1..%9 insert the arguments, '%' followed by any
// other character stands for that character (so "%\n" is a line break and "%%" a percent sign).
std::string FormatMessageText(std::string_view pattern, const std::vector<std::string>& args);

}  // namespace qv::ui
