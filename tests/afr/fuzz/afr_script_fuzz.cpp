// libFuzzer target for the .fafrs reader: any bytes must end in a script or a load error, and
// whatever loads must run over a small text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "afr/AfrScript.h"
#include "core/ArchiveReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CAfrScript script;
  CArchiveReader in(std::string(reinterpret_cast<const char*>(data), size), "fuzz.fafrs");
  try {
    script.ReadFrom(in);
  } catch (const CArchiveException&) {
  }
  for (const auto& rule : script.rules) {
    if (rule->actions.empty()) continue;
    std::string out, error;
    long long changes = 0;
    CAfrProgress progress;
    rule->actions[0]->Apply("a cat\r\nb#;\n\nxx", out, *rule->condition, progress, changes, error);
  }
  return 0;
}
