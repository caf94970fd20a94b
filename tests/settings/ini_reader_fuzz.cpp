// Fuzz target of the INI reader: any input parses without a crash, what it parsed writes back to
// a text that reads back to the same thing with either line end, and every value text survives
// the value quoting.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/IniFile.h"
#include "settings/ProfileEncoding.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);

  CIniFile ini;
  ini.Parse(text);
  for (std::string_view lineEnd : {std::string_view("\n"), std::string_view("\r\n")}) {
    std::string written = ini.Serialize(lineEnd);
    CIniFile back;
    Require(back.Parse(written) == 0);
    Require(back.Serialize(lineEnd) == written);
  }

  Require(CIniFile::DecodeValue(CIniFile::EncodeValue(text)) == text);

  Bytes bytes;
  if (DecodeBinary(text, bytes)) Require(EncodeBinary(bytes) == text);
  return 0;
}
