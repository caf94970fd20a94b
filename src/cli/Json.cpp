#include "Json.h"

#include <cstdio>

#include "core/Utf8.h"

namespace qv::cli {

std::string JsonString(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 2);
  out.push_back('"');
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    char32_t cp;
    size_t n = DecodeUtf8(s, i, cp);
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
