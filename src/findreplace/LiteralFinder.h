#pragma once
// Finds a fixed byte string in a buffer, with or without ASCII case folding. It screens the
// buffer for two of the needle's rarest bytes at once (32 positions per step with AVX2, where the
// processor has it) and verifies only the candidates.
//
//   CLiteralFinder f("needle", /*ignoreCase=*/true);
//   const char* hit = f.Find(begin, end);   // nullptr when there is none
#include <string>

class CLiteralFinder {
 public:
  CLiteralFinder() = default;
  CLiteralFinder(std::string needle, bool ignoreCase);

  // The first occurrence in [begin, end), or nullptr. An empty needle matches at begin.
  const char* Find(const char* begin, const char* end) const;
  size_t size() const { return needle_.size(); }
  const std::string& needle() const { return needle_; }

 private:
  bool Verify(const char* at) const;
  const char* FindScalar(const char* begin, const char* end) const;
  const char* FindAvx2(const char* begin, const char* end) const;

  std::string needle_;   // folded to lower case when ignoreCase_
  bool ignoreCase_ = false;
  size_t i1_ = 0, i2_ = 0;            // offsets of the two screening bytes
  unsigned char b1_ = 0, b2_ = 0;     // their values (lower case when folding)
  unsigned char m1_ = 0, m2_ = 0;     // 0x20 where the screening byte is a letter being folded
  bool avx2_ = false;
};

// ASCII-only case folding, the rule of the text modules.
inline unsigned char FoldAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }
