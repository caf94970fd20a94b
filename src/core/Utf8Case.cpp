#include "Utf8Case.h"

#include <QChar>

#include "Utf8.h"

namespace {

template <class Map>
std::string MapCase(std::string_view s, Map map) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    char32_t cp;
    size_t n = DecodeUtf8(s, i, cp);
    if (n == 0) {
      out += s[i++];
      continue;
    }
    AppendUtf8(out, map(cp));
    i += n;
  }
  return out;
}

}  // namespace

std::string Utf8ToUpper(std::string_view text) {
  return MapCase(text, [](char32_t c) { return static_cast<char32_t>(QChar::toUpper(c)); });
}

std::string Utf8ToLower(std::string_view text) {
  return MapCase(text, [](char32_t c) { return static_cast<char32_t>(QChar::toLower(c)); });
}
