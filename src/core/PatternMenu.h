#pragma once
// The tokens that the pattern menu next to a search field offers. The pages build the menu from
// these tables; the escape items insert texts that ExpandEscapes understands, the regular
// expression items insert Boost.Regex syntax.
//
//   for (const auto& item : kEscapeMenuItems) menu.addAction(item.label + "\t" + item.hint);
#include <array>
#include <string_view>

struct PatternMenuItem {
  std::string_view label;   // left column
  std::string_view hint;    // right-hand (accelerator) column; empty when there is none
  std::string_view inserts; // text put in place of the field's selection
};

inline constexpr std::array<PatternMenuItem, 7> kEscapeMenuItems{{
    {"Bell character", "(\\a)", "\\a"},
    {"Form feed character", "(\\f)", "\\f"},
    {"New line character", "(\\n)", "\\n"},
    {"Carriage return character", "(\\r)", "\\r"},
    {"Tab character", "(\\t)", "\\t"},
    {"Vertical tab character", "(\\v)", "\\v"},
    {"Backslash character", "(\\\\)", "\\\\"},
}};

inline constexpr std::string_view kRegexSubmenuTitle = "&Regular Expression";

inline constexpr std::array<PatternMenuItem, 15> kRegexMenuItems{{
    {". Any single character", "", "."},
    {"* Zero or more", "", "*"},
    {"+ One or more", "", "+"},
    {"? Zero or one", "", "?"},
    {"[ ] Any one character in the set", "", "[]"},
    {"[^ ] Any one character not in the set", "", "[^]"},
    {"| Or", "", "|"},
    {"^ Beginning of line", "", "^"},
    {"$ End of line", "", "$"},
    {"\\< Beginning of word", "", "\\<"},
    {"\\> End of word", "", "\\>"},
    {"[[:alnum:]] Any alpha numeric character", "", "[[:alnum:]]"},
    {"[[:alpha:]] Any alphabetical character", "", "[[:alpha:]]"},
    {"[[:digit:]] Any digit 0-9", "", "[[:digit:]]"},
    {"[[:space:]] Any whitespace character", "", "[[:space:]]"},
}};
