#include "FolderIdList.h"

#include <string_view>

namespace {

unsigned ReadCount(const Bytes& b, size_t pos) { return b[pos] | (unsigned(b[pos + 1]) << 8); }

}  // namespace

bool IsValidFolderIdList(const Bytes& list) {
  size_t pos = 0;
  for (;;) {
    if (pos + 2 > list.size()) return false;
    unsigned cb = ReadCount(list, pos);
    if (cb == 0) return pos + 2 == list.size();
    // A count below 2 cannot cover its own two bytes; walking on would never end.
    if (cb < 2) return false;
    pos += cb;
  }
}

Bytes MakeFolderIdList(const std::string& absolutePath) {
  if (absolutePath.empty() || absolutePath.front() != '/') return {};
  Bytes out;
  size_t pos = 0;
  while (pos < absolutePath.size()) {
    size_t slash = absolutePath.find('/', pos);
    if (slash == std::string::npos) slash = absolutePath.size();
    std::string_view name(absolutePath.data() + pos, slash - pos);
    pos = slash + 1;
    if (name.empty() || name == ".") continue;
    size_t cb = name.size() + 2;
    if (cb > 0xFFFF) return {};
    out.push_back(static_cast<std::uint8_t>(cb & 0xFF));
    out.push_back(static_cast<std::uint8_t>(cb >> 8));
    out.insert(out.end(), name.begin(), name.end());
  }
  out.push_back(0);
  out.push_back(0);
  return out;
}

std::string FolderIdListPath(const Bytes& list) {
  if (!IsValidFolderIdList(list)) return {};
  std::string path;
  for (size_t pos = 0;;) {
    unsigned cb = ReadCount(list, pos);
    if (cb == 0) break;
    std::string_view name(reinterpret_cast<const char*>(list.data()) + pos + 2, cb - 2);
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
      return {};
    path.append("/").append(name);
    pos += cb;
  }
  return path.empty() ? "/" : path;
}
