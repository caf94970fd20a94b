#include "ProfileEncoding.h"

#include <climits>

std::string EncodeBinary(const Bytes& bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (std::uint8_t b : bytes) {
    out += char('A' + (b & 0x0F));
    out += char('A' + (b >> 4));
  }
  return out;
}

bool DecodeBinary(std::string_view text, Bytes& out) {
  out.clear();
  if (text.size() % 2 != 0) return false;
  out.reserve(text.size() / 2);
  for (size_t i = 0; i < text.size(); i += 2) {
    int lo = text[i] - 'A', hi = text[i + 1] - 'A';
    if (lo < 0 || lo > 15 || hi < 0 || hi > 15) {
      out.clear();
      return false;
    }
    out.push_back(static_cast<std::uint8_t>(lo | (hi << 4)));
  }
  return true;
}

int ParseProfileInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    v = v * 10 + (text[i] - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) v = -v;
  if (v > INT_MAX) v = INT_MAX;
  if (v < INT_MIN) v = INT_MIN;
  return static_cast<int>(v);
}
