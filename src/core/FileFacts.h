#pragma once
// Facts about one file or folder as listings and the renamer's Format step show them: size and
// times from one status query, the attribute letters, and the desktop's type name.
//
//   FileFacts f;
//   ReadFileFacts("/data/a.txt", f);              // f.size, f.modified, f.created ...
//   AttributeLetters(FileAttributeBits(path));    // "AR", "<DIR>", "HRp" ...
//   FileTypeName("/data/a.txt");                  // "plain text document"
#include <cstdint>
#include <string>

// The attribute bits that listings show, with the values the letters are defined by.
enum FileAttributeBit : std::uint32_t {
  kAttrReadOnly = 0x1,
  kAttrHidden = 0x2,
  kAttrSystem = 0x4,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
  kAttrTemporary = 0x100,
  kAttrSparse = 0x200,
  kAttrReparsePoint = 0x400,
  kAttrCompressed = 0x800,
  kAttrOffline = 0x1000,
  kAttrNotContentIndexed = 0x2000,
  kAttrEncrypted = 0x4000,
};

// What FileAttributeBits answers when the path cannot be queried: archive and read-only.
inline constexpr std::uint32_t kAttrQueryFailed = kAttrArchive | kAttrReadOnly;

struct FileFacts {
  bool ok = false;              // the status query succeeded
  bool isDirectory = false;
  std::uint64_t size = 0;       // 0 for folders
  // Seconds since 1970-01-01 UTC, never negative. An access or birth time the file system does
  // not record reads as the modification time.
  std::int64_t modified = 0;
  std::int64_t accessed = 0;
  std::int64_t created = 0;
};

// One status query of `path` without following a final symbolic link (a link describes itself).
// On failure `out` is all zero and false is returned.
bool ReadFileFacts(const std::string& path, FileFacts& out);

// The attribute bits of `path`: directory, hidden (name begins with "."), read-only (no write
// permission bit at all), sparse, reparse point (a symbolic link), compressed (where the file
// system keeps that flag). kAttrQueryFailed when the path cannot be queried.
std::uint32_t FileAttributeBits(const std::string& path);

// The letters of the set bits, always in the same order, without separators: 0x21 gives "AR".
std::string AttributeLetters(std::uint32_t bits);

// The type's human-readable name (the MIME type's comment in the user's language), found by name
// and, for regular files, by content; "Unknown Filetype" when the type is not known.
std::string FileTypeName(const std::string& path);
