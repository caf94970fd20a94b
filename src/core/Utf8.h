#pragma once
// UTF-8 code units, for the texts that must be valid UTF-8 (JSON, names read from UTF-16).
//
//   char32_t cp;
//   size_t n = DecodeUtf8(text, i, cp);   // 0 when text[i] does not start a valid character
//   AppendUtf8(out, U'é');
#include <string>
#include <string_view>

// Decodes one well-formed UTF-8 character at s[i]; returns its length, or 0 when the bytes there
// are not one (overlong forms, surrogates and values beyond U+10FFFF included).
size_t DecodeUtf8(std::string_view s, size_t i, char32_t& cp);
void AppendUtf8(std::string& out, char32_t cp);
