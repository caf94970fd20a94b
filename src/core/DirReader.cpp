#include "DirReader.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "Sys.h"

namespace {

constexpr long kBufSize = 32 * 1024;

struct LinuxDirent64 {
  ino64_t d_ino;
  off64_t d_off;
  unsigned short d_reclen;
  unsigned char d_type;
  char d_name[];
};

}  // namespace

CDirReader::CDirReader(int parentFd, const char* path)
    // The root folder's text is empty once its separator is stripped. A folder named by its path
    // is the one the user chose, and may be a link (as with grep -r); entries are never followed.
    : fd_(qv::sys::ops().openat(parentFd, *path ? path : "/",
                                O_RDONLY | O_DIRECTORY | O_CLOEXEC | (parentFd == AT_FDCWD ? 0 : O_NOFOLLOW), 0)) {
  if (fd_) buf_.reset(new char[kBufSize]);
}

bool CDirReader::Fill() {
  while (true) {
    long n = ::syscall(SYS_getdents64, fd_.get(), buf_.get(), kBufSize);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    len_ = n;
    pos_ = 0;
    return true;
  }
}

bool CDirReader::Next(DirEntry& entry) {
  if (!fd_) return false;
  while (true) {
    if (pos_ >= len_ && !Fill()) return false;
    auto* d = reinterpret_cast<LinuxDirent64*>(buf_.get() + pos_);
    pos_ += d->d_reclen;
    const char* n = d->d_name;
    if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) continue;
    unsigned char t = d->d_type;
    if (t == DT_UNKNOWN) {
      struct stat st;
      if (::fstatat(fd_.get(), n, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;  // vanished meanwhile
      t = S_ISREG(st.st_mode) ? DT_REG : S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_FIFO;
    }
    entry.name = n;
    entry.type = t == DT_REG   ? EntryType::File
                 : t == DT_DIR ? EntryType::Directory
                 : t == DT_LNK ? EntryType::Symlink
                               : EntryType::Other;
    return true;
  }
}

namespace qv {

std::string JoinPath(const std::string& folder, const char* name) {
  std::string p;
  size_t n = std::strlen(name);
  p.reserve(folder.size() + 1 + n);
  p = folder;
  if (p.empty() || (p.back() != '/' && p.back() != '\\')) p.push_back('/');
  p.append(name, n);
  return p;
}

std::string StripTrailingSeparator(std::string folder) {
  if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder;
}

std::string RelativeRowText(const std::string& root, const std::string& path) {
  std::string r = StripTrailingSeparator(root);
  if (path.compare(0, r.size(), r) == 0) return "." + path.substr(r.size());
  return path;
}

}  // namespace qv
