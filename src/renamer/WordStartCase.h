#pragma once
// The scan behind Capitalize and Decapitalize: the first letter of every word is converted, where
// a word starts at the beginning of the name and after each separator (blank, brackets, dashes,
// quotes, punctuation, the acute accent, slashes, tab and line breaks). Only ASCII letters are
// converted; the bytes of a multi-byte UTF-8 character are never a letter or a separator on their
// own, except the acute accent "´" (C2 B4), which is a separator as a whole.
//
//   ChangeWordStartCase("my file.txt", true)    // "My File.Txt"
//   ChangeWordStartCase("My File.TXT", false)   // "my file.tXT"
#include <string>
#include <string_view>

std::string ChangeWordStartCase(std::string_view name, bool upper);
