#include "AfrText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sys/mman.h>

namespace qv::afr {

size_t LineEnd(std::string_view text, size_t p) {
  if (p >= text.size()) return text.size();
  const void* lf = std::memchr(text.data() + p, '\n', text.size() - p);
  return lf ? static_cast<size_t>(static_cast<const char*>(lf) - text.data()) : text.size();
}

size_t MatchingLineStart(std::string_view text, size_t c, size_t ms) {
  if (ms < text.size() && text[ms] == '\n') return ms + 1;
  for (size_t p = std::min(ms, text.size()); p > c; --p)
    if (text[p - 1] == '\n') return p;
  return c;
}

std::string_view LineBreakFor(std::string_view text, size_t lineEnd) {
  size_t lf = lineEnd;
  if (lf >= text.size() || text[lf] != '\n') {
    lf = LineEnd(text, 0);
    if (lf >= text.size()) return "\n";
  }
  return lf > 0 && text[lf - 1] == '\r' ? std::string_view("\r\n") : std::string_view("\n");
}

void AppendNumberText(std::string& out, std::string_view f, long long n) {
  constexpr size_t kMaxDigits = 255;
  size_t i = 0;
  while (i < f.size()) {
    char ch = f[i];
    if (ch != '%' || i + 1 == f.size()) {
      out += ch;
      ++i;
      continue;
    }
    char c = f[i + 1];
    size_t open = std::string_view::npos;
    for (size_t k = i + 1; k <= i + 3 && k < f.size(); ++k) {
      if (f[k] == '"') {
        open = k;
        break;
      }
    }
    std::string_view picture;
    size_t next = i + 2;
    if (open != std::string_view::npos) {
      size_t close = f.find('"', open + 1);
      if (close == std::string_view::npos) {
        i += 2;  // an unclosed picture drops the "%" and its letter
        continue;
      }
      picture = f.substr(open + 1, close - open - 1);
      next = close + 1;
    }
    if (c == '%') {
      out += '%';
    } else if (c == 'i') {
      size_t width = 0;
      for (size_t k = 0; k < picture.size() && picture[k] >= '0' && picture[k] <= '9'; ++k) {
        width = width * 10 + static_cast<size_t>(picture[k] - '0');
        if (width > kMaxDigits) width = kMaxDigits;
      }
      std::string digits = std::to_string(n);
      if (digits.size() < width) out.append(width - digits.size(), '0');
      out += digits;
    } else {
      out += '%';
      out += c;
    }
    i = next;
  }
}

std::string NumberText(std::string_view format, long long n) {
  std::string out;
  AppendNumberText(out, format, n);
  return out;
}

bool BytesEqual(const char* a, const char* b, size_t n, bool matchCase) {
  if (matchCase) return std::memcmp(a, b, n) == 0;
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x == y) continue;
    if ((x | 0x20) != (y | 0x20)) return false;
    unsigned char l = x | 0x20;
    if (l < 'a' || l > 'z') return false;
  }
  return true;
}

bool IsWordSeparatorAt(std::string_view text, size_t i) {
  unsigned char b = static_cast<unsigned char>(text[i]);
  if (b >= 0x80) return b == 0xB4 && i > 0 && static_cast<unsigned char>(text[i - 1]) == 0xC2;
  switch (b) {
    case ' ': case '(': case ')': case '[': case ']': case '-': case '{': case '}': case '`':
    case '/': case '\\': case '"': case ':': case ',': case '.': case ';': case '\'': case '?':
    case '!': case '+': case '=': case '\r': case '\n': case '\t':
      return true;
    default:
      return false;
  }
}

void AdviseHugePages(void* p, size_t n) {
  constexpr uintptr_t kHuge = 2 * 1024 * 1024;
  if (n < 4 * kHuge) return;
  uintptr_t begin = (reinterpret_cast<uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
  uintptr_t end = (reinterpret_cast<uintptr_t>(p) + n) & ~(kHuge - 1);
  if (end > begin) (void)::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace qv::afr
