#pragma once
// Counting line feed bytes (10) in a buffer: AVX2 where the processor has it, else a scalar loop.
//
//   CountLineFeeds("a\nb\n", 4);   // 2
#include <cstddef>
#include <cstdint>

std::uint64_t CountLineFeeds(const char* data, std::size_t n);
// The portable loop; the same result on every processor.
std::uint64_t CountLineFeedsScalar(const char* data, std::size_t n);
