#include "FileChecks.h"

#include <fcntl.h>

#include "Sys.h"
#include "UniqueFd.h"

bool StartsWithUtf16Bom(const char* data, size_t n) {
  return n >= 2 && static_cast<unsigned char>(data[0]) == 255 && static_cast<unsigned char>(data[1]) == 254;
}

bool IsUnicodeTextFile(const std::string& path) {
  UniqueFd fd(qv::sys::ops().open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0));
  if (!fd) return false;
  char bom[2];
  return qv::sys::readFull(fd.get(), bom, 2) == 2 && StartsWithUtf16Bom(bom, 2);
}

bool IsSparse(const struct stat& st) { return static_cast<long long>(st.st_blocks) * 512 < st.st_size; }

bool IsWritableFile(const std::string& path, const struct stat& st) {
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  UniqueFd fd(qv::sys::ops().open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0));
  return static_cast<bool>(fd);
}
