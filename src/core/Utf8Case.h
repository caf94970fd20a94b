#pragma once
// Letter case of UTF-8 texts, character by character with the Unicode simple case mapping (the
// same in every locale). Bytes that do not form a valid UTF-8 character are kept as they are, so
// a name in another encoding is never damaged.
//
//   Utf8ToUpper("Été.txt")   // "ÉTÉ.TXT"
//   Utf8ToLower("ÉTÉ")       // "été"
#include <string>
#include <string_view>

std::string Utf8ToUpper(std::string_view text);
std::string Utf8ToLower(std::string_view text);
