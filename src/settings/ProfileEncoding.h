#pragma once
// How int and binary values are written as INI texts in the profile and the export file.
//
//   EncodeBinary({0x3C});      // "MD": 'A' + low four bits, then 'A' + high four bits
//   DecodeBinary("MD", out);   // true, out == {0x3C}
//   ParseProfileInt("-1");     // -1
#include <string>
#include <string_view>

#include "settings/Settings.h"

std::string EncodeBinary(const Bytes& bytes);
// False for an odd length or a letter outside A..P (`out` is then empty).
bool DecodeBinary(std::string_view text, Bytes& out);
// A decimal number as INI readers take it: optional blanks and sign, then digits up to the first
// other character; no digits give 0; values beyond the int range are clamped.
int ParseProfileInt(std::string_view text);
