#pragma once
// Reads the entries of one folder with getdents64 on a descriptor, without a stat per entry
// where the file system fills in the entry type. "." and ".." are skipped; symbolic links are
// reported as links and never followed; the order is the file system's.
//
//   CDirReader dir(AT_FDCWD, "/data");
//   if (!dir) return;                       // a folder that cannot be opened is empty
//   for (DirEntry e; dir.Next(e);)
//     if (e.type == EntryType::File) openat(dir.Fd(), e.name, ...);
#include <memory>
#include <string>

#include "UniqueFd.h"

enum class EntryType { File, Directory, Symlink, Other };

struct DirEntry {
  const char* name = nullptr;  // valid until the next call of Next()
  EntryType type = EntryType::Other;
};

class CDirReader {
 public:
  // Opens `path` relative to `parentFd`. An entry opened relative to its folder's descriptor is
  // never a link; a path opened from AT_FDCWD (the start folder the user chose) may be one.
  CDirReader(int parentFd, const char* path);
  explicit operator bool() const { return static_cast<bool>(fd_); }
  int Fd() const { return fd_.get(); }
  bool Next(DirEntry& entry);

 private:
  bool Fill();

  UniqueFd fd_;
  std::unique_ptr<char[]> buf_;
  long len_ = 0;
  long pos_ = 0;
};

// Path texts of the walk.
namespace qv {
// folder + "/" + name, without doubling a separator the folder already ends in.
std::string JoinPath(const std::string& folder, const char* name);
// One trailing "/" or "\" removed, as the pages do before they start a task.
std::string StripTrailingSeparator(std::string folder);
// "." followed by the part of `path` after the start folder: "/data/sub/a.txt" under "/data"
// becomes "./sub/a.txt".
std::string RelativeRowText(const std::string& root, const std::string& path);
}  // namespace qv
