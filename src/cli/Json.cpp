#include "Json.h"

#include <cstdio>

namespace qv::cli {
namespace {

// Length of the valid UTF-8 sequence at s[i], or 0 when the bytes there are not one.
size_t Utf8Length(std::string_view s, size_t i) {
  auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char c = b(i);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k)
    if ((b(i + k) & 0xC0) != 0x80) return 0;
  if (n == 2 && c < 0xC2) return 0;                             // overlong
  if (n == 3 && c == 0xE0 && b(i + 1) < 0xA0) return 0;         // overlong
  if (n == 3 && c == 0xED && b(i + 1) >= 0xA0) return 0;        // surrogates
  if (n == 4 && (c > 0xF4 || (c == 0xF0 && b(i + 1) < 0x90) || (c == 0xF4 && b(i + 1) >= 0x90))) return 0;
  return n;
}

}  // namespace

std::string JsonString(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 2);
  out.push_back('"');
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n = Utf8Length(s, i);
    if (n == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
      continue;
    }
    if (n > 1) {
      out.append(s.substr(i, n));
      i += n;
      continue;
    }
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out.push_back(static_cast<char>(c));
        }
    }
    ++i;
  }
  out.push_back('"');
  return out;
}

std::string JsonRow(const CTaskResultRow& row, std::string_view rowText) {
  std::string out = "{\"row\":" + JsonString(rowText) + ",\"path\":" + JsonString(row.path) +
                    ",\"count\":" + std::to_string(row.count) + ",\"error\":" + (row.isError ? "true" : "false") +
                    ",\"message\":" + (row.message ? JsonString(*row.message) : std::string("null")) + "}";
  return out;
}

}  // namespace qv::cli
