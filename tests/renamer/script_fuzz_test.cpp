// Runs the fuzz target over its seeds and over every truncation and many byte changes of them,
// so that the reader's robustness is checked in every ordinary test run.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/ArchiveWriter.h"
#include "renamer/FroFormat.h"
#include "renamer/FroReplace.h"
#include "renamer/RenameOperationFactory.h"
#include "renamer/RenameScriptFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int Feed(const std::string& bytes) {
  return LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::vector<std::string> Seeds() {
  std::vector<std::string> seeds;
  for (const char* cls : {"CFroCapitalize", "CFroDecapitalize", "CFroFormat", "CFroReplace", "CFroTolower", "CFroToupper"}) {
    RenameScript script;
    for (int i = 0; i < 3; ++i) script.push_back(CreateRenameOperation(cls));
    if (auto* f = dynamic_cast<CFroFormat*>(script[0].get())) f->format = "Photo %i\"99999\" %s %dm\"yyyy\"";
    if (auto* r = dynamic_cast<CFroReplace*>(script[0].get())) r->findText = std::string(300, 'a');
    CArchiveWriter out;
    WriteRenameScript(out, script);
    seeds.push_back(out.Bytes());
  }
  seeds.push_back(std::string("\x01\0\0\0\0\0\0\0", 8));
  // Every string length form, the wide one included.
  seeds.push_back(std::string("\x01\0\0\0\x01\0\0\0\xFF\xFF\x01\0\x0B\0CFroReplace\x01\0\0\0"
                              "\xFF\xFE\xFF\x01\x41\0\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x02\0\0\0\0\0\0\0ab",
                              52));
  return seeds;
}

TEST(RenameScriptFuzz, SeedsTruncationsAndMutations) {
  std::mt19937 rng(12345);
  for (const std::string& seed : Seeds()) {
    for (size_t n = 0; n <= seed.size(); ++n) Feed(seed.substr(0, n));
    for (int round = 0; round < 2000; ++round) {
      std::string m = seed;
      int changes = 1 + static_cast<int>(rng() % 4);
      for (int k = 0; k < changes && !m.empty(); ++k) {
        size_t at = rng() % m.size();
        static const char kInteresting[] = {0, 1, 0x7F, static_cast<char>(0x80), static_cast<char>(0xFE),
                                            static_cast<char>(0xFF)};
        m[at] = (rng() & 1) ? kInteresting[rng() % sizeof kInteresting] : static_cast<char>(rng());
      }
      Feed(m);
    }
  }
  SUCCEED();
}

}  // namespace
