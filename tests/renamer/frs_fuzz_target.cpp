// The .frs reader on arbitrary bytes: it must end with a script or an archive error, never crash,
// hang or allocate what the data merely claims.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/ArchiveException.h"
#include "core/ArchiveReader.h"
#include "renamer/RenameScriptFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CArchiveReader in(std::string(reinterpret_cast<const char*>(data), size), "fuzz.frs");
  RenameScript script;
  try {
    ReadRenameScript(in, script);
  } catch (const CArchiveException&) {
  }
  // Whatever was read must be usable.
  for (auto& step : script) {
    std::string out;
    step->Apply("name.txt", "/nowhere/", out);
    step->GetDescription();
  }
  return 0;
}
