#include "LineFeedCount.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

std::uint64_t CountLineFeedsScalar(const char* data, std::size_t n) {
  std::uint64_t count = 0;
  // Eight bytes at a time: a byte of the xor with 0x0A.. is zero exactly where a line feed is.
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL, kLf = kOnes * '\n', kHigh = kOnes * 0x80;
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, data + i, 8);
    std::uint64_t x = w ^ kLf;
    // High bit set in each byte of x that is zero (no false positives: the carry-free form).
    std::uint64_t zero = ~(((x & ~kHigh) + ~kHigh) | x) & kHigh;
    count += static_cast<std::uint64_t>(__builtin_popcountll(zero));
  }
  for (; i < n; ++i) count += data[i] == '\n';
  return count;
}

#if defined(__x86_64__)
__attribute__((target("avx2"))) static std::uint64_t CountLineFeedsAvx2(const char* data, std::size_t n) {
  const __m256i lf = _mm256_set1_epi8('\n');
  const __m256i zero = _mm256_setzero_si256();
  __m256i total = zero;  // four 64-bit sums
  std::size_t i = 0;
  while (i + 32 <= n) {
    // Each matching byte is 0xFF (-1); subtracting it adds one to a byte counter, which holds at
    // most 255 before it must be folded into the 64-bit sums.
    __m256i counters = zero;
    std::size_t rounds = (n - i) / 32;
    if (rounds > 255) rounds = 255;
    for (std::size_t r = 0; r < rounds; ++r, i += 32) {
      __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
      counters = _mm256_sub_epi8(counters, _mm256_cmpeq_epi8(v, lf));
    }
    total = _mm256_add_epi64(total, _mm256_sad_epu8(counters, zero));
  }
  std::uint64_t count = static_cast<std::uint64_t>(_mm256_extract_epi64(total, 0)) +
                        static_cast<std::uint64_t>(_mm256_extract_epi64(total, 1)) +
                        static_cast<std::uint64_t>(_mm256_extract_epi64(total, 2)) +
                        static_cast<std::uint64_t>(_mm256_extract_epi64(total, 3));
  return count + CountLineFeedsScalar(data + i, n - i);
}
#endif

std::uint64_t CountLineFeeds(const char* data, std::size_t n) {
#if defined(__x86_64__)
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx2) return CountLineFeedsAvx2(data, n);
#endif
  return CountLineFeedsScalar(data, n);
}
