#include "LiteralFinder.h"

#include <cstring>
#include <immintrin.h>

namespace {

// How common a byte is in typical text and source files; the finder screens for the rarest.
int Commonness(unsigned char c) {
  static const char* kByFrequency = " etaoinsrhldcumfpgwybvkxjqz_=;.,()\n\t\"'/-:0123456789ETAOINSRHLDCUMFPGWYBVKXJQZ{}[]<>*&#+!|%\\?@$^~`";
  const char* at = std::strchr(kByFrequency, c);
  if (c != 0 && at) return 255 - static_cast<int>(at - kByFrequency);
  return c >= 0x80 ? 40 : 10;  // bytes of UTF-8 sequences, then control bytes
}

bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

CLiteralFinder::CLiteralFinder(std::string needle, bool ignoreCase) : needle_(std::move(needle)), ignoreCase_(ignoreCase) {
  if (ignoreCase_)
    for (auto& c : needle_) c = static_cast<char>(FoldAscii(static_cast<unsigned char>(c)));
  if (needle_.empty()) return;
  // The two rarest positions (distinct when the needle has two bytes or more).
  auto rank = [&](size_t i) { return Commonness(static_cast<unsigned char>(needle_[i])); };
  i1_ = 0;
  for (size_t i = 1; i < needle_.size(); ++i)
    if (rank(i) < rank(i1_)) i1_ = i;
  i2_ = i1_;
  for (size_t i = 0; i < needle_.size(); ++i)
    if (i != i1_ && (i2_ == i1_ || rank(i) < rank(i2_))) i2_ = i;
  b1_ = static_cast<unsigned char>(needle_[i1_]);
  b2_ = static_cast<unsigned char>(needle_[i2_]);
  m1_ = ignoreCase_ && IsLetter(b1_) ? 0x20 : 0;
  m2_ = ignoreCase_ && IsLetter(b2_) ? 0x20 : 0;
  __builtin_cpu_init();
  avx2_ = __builtin_cpu_supports("avx2");
}

bool CLiteralFinder::Verify(const char* at) const {
  if (!ignoreCase_) return std::memcmp(at, needle_.data(), needle_.size()) == 0;
  for (size_t i = 0; i < needle_.size(); ++i)
    if (FoldAscii(static_cast<unsigned char>(at[i])) != static_cast<unsigned char>(needle_[i])) return false;
  return true;
}

const char* CLiteralFinder::Find(const char* begin, const char* end) const {
  if (needle_.empty()) return begin;
  if (end - begin < static_cast<ptrdiff_t>(needle_.size())) return nullptr;
  if (avx2_) return FindAvx2(begin, end);
  return FindScalar(begin, end);
}

const char* CLiteralFinder::FindScalar(const char* begin, const char* end) const {
  const char* last = end - needle_.size();  // last possible start
  if (!ignoreCase_ || m1_ == 0) {
    // memchr on the rarest byte, then check the whole needle.
    const char* p = begin + i1_;
    const char* stop = last + i1_ + 1;
    while (p < stop) {
      p = static_cast<const char*>(std::memchr(p, b1_, static_cast<size_t>(stop - p)));
      if (!p) return nullptr;
      const char* start = p - i1_;
      if (Verify(start)) return start;
      ++p;
    }
    return nullptr;
  }
  for (const char* s = begin; s <= last; ++s)
    if ((static_cast<unsigned char>(s[i1_]) | m1_) == b1_ && Verify(s)) return s;
  return nullptr;
}

__attribute__((target("avx2"))) const char* CLiteralFinder::FindAvx2(const char* begin, const char* end) const {
  const char* last = end - needle_.size();
  const size_t reach = (i1_ > i2_ ? i1_ : i2_) + 32;  // bytes a step reads from its start
  const __m256i v1 = _mm256_set1_epi8(static_cast<char>(b1_));
  const __m256i v2 = _mm256_set1_epi8(static_cast<char>(b2_));
  const __m256i f1 = _mm256_set1_epi8(static_cast<char>(m1_));
  const __m256i f2 = _mm256_set1_epi8(static_cast<char>(m2_));
  const char* s = begin;
  while (s + reach <= end) {
    __m256i a = _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i1_)), f1);
    __m256i b = _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i2_)), f2);
    unsigned mask = static_cast<unsigned>(
        _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(a, v1), _mm256_cmpeq_epi8(b, v2))));
    while (mask) {
      const char* cand = s + __builtin_ctz(mask);
      if (cand <= last && Verify(cand)) return cand;
      mask &= mask - 1;
    }
    s += 32;
  }
  for (; s <= last; ++s)
    if ((static_cast<unsigned char>(s[i1_]) | m1_) == b1_ && (static_cast<unsigned char>(s[i2_]) | m2_) == b2_ &&
        Verify(s))
      return s;
  return nullptr;
}
