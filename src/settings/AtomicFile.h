#pragma once
// Whole-file reads and atomic replacement for the profile and the export file.
//
//   int err = 0;
//   if (!WriteFileAtomically("/home/u/.config/Ambrel/Quorvel.ini", text, 0600, &err)) report(err);
#include <string>
#include <string_view>
#include <sys/types.h>

// Replaces `path` with `data` through a temporary file in the same folder (written, fsync'ed,
// renamed over the target), so that readers see the old or the new file, never half of one. A
// symbolic link is written through to its target. An existing file keeps its permission bits;
// a new one gets `newFileMode`. A target that is not a regular file or is read-only (no write
// bit set) is refused with EISDIR/EACCES and left untouched. False with `*err` = errno on failure;
// the temporary file is removed then.
bool WriteFileAtomically(const std::string& path, std::string_view data, mode_t newFileMode, int* err);

// Reads a whole regular file (at most 64 MiB). False with `*err` = errno (ENOENT when missing,
// EISDIR for a folder, EFBIG when too large).
bool ReadWholeFile(const std::string& path, std::string& out, int* err);

// Creates `folder` and its missing parents with mode 0700.
bool MakeFolders(const std::string& folder);
