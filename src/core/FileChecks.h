#pragma once
// The checks the text modules make before they touch a file.
//
//   struct stat st;
//   if (!IsWritableFile(path, st)) fail("Error, file is read-only.");
//   if (IsUnicodeTextFile(path)) fail(...);
#include <cstddef>
#include <string>
#include <sys/stat.h>

// The UTF-16 little-endian byte-order mark (255, 254) at the start of `data`.
bool StartsWithUtf16Bom(const char* data, size_t n);
// The file starts with that mark; a file that cannot be read, or is shorter, does not.
bool IsUnicodeTextFile(const std::string& path);
// Fewer blocks allocated than the size needs.
bool IsSparse(const struct stat& st);
// A file without any write bit counts as read-only even for a process that could write it
// anyway (root); otherwise it must really open for writing.
bool IsWritableFile(const std::string& path, const struct stat& st);
