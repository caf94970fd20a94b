#include "WordStartCase.h"

#include <cstring>

namespace {

bool IsAsciiSeparator(unsigned char c) {
  static constexpr char kSeparators[] = " ()[]-{}`/\\\":,.;'?!+=\r\n\t";
  return c != 0 && c < 0x80 && std::memchr(kSeparators, c, sizeof kSeparators - 1) != nullptr;
}

}  // namespace

std::string ChangeWordStartCase(std::string_view name, bool upper) {
  std::string out;
  out.reserve(name.size());
  bool wordStart = true;
  for (size_t i = 0; i < name.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (c == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) == 0xB4) {
      out.append("\xC2\xB4");
      ++i;
      wordStart = true;
      continue;
    }
    if (wordStart && upper && c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
    else if (wordStart && !upper && c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
    out += static_cast<char>(c);
    wordStart = IsAsciiSeparator(c);
  }
  return out;
}
