#include "FileFacts.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QMimeDatabase>
#include <QString>

#include "UniqueFd.h"

namespace {

std::int64_t NonNegative(std::int64_t t) { return t < 0 ? 0 : t; }

// The final component of a path, for the hidden test.
std::string_view BaseName(const std::string& path) {
  std::string_view p(path);
  while (p.size() > 1 && p.back() == '/') p.remove_suffix(1);
  size_t slash = p.rfind('/');
  return slash == std::string_view::npos ? p : p.substr(slash + 1);
}

}  // namespace

bool ReadFileFacts(const std::string& path, FileFacts& out) {
  out = FileFacts{};
  struct statx sx {};
  if (::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW,
              STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_ATIME | STATX_BTIME, &sx) != 0)
    return false;
  out.ok = true;
  out.isDirectory = S_ISDIR(sx.stx_mode);
  out.size = out.isDirectory ? 0 : sx.stx_size;
  out.modified = NonNegative(sx.stx_mtime.tv_sec);
  out.accessed = (sx.stx_mask & STATX_ATIME) ? NonNegative(sx.stx_atime.tv_sec) : 0;
  out.created = (sx.stx_mask & STATX_BTIME) ? NonNegative(sx.stx_btime.tv_sec) : 0;
  if (out.accessed == 0) out.accessed = out.modified;
  if (out.created == 0) out.created = out.modified;
  return true;
}

std::uint32_t FileAttributeBits(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return kAttrQueryFailed;
  std::uint32_t bits = 0;
  if (S_ISDIR(st.st_mode)) bits |= kAttrDirectory;
  if (S_ISLNK(st.st_mode)) bits |= kAttrReparsePoint;
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) bits |= kAttrReadOnly;
  std::string_view name = BaseName(path);
  if (name.size() > 1 && name[0] == '.' && name != "..") bits |= kAttrHidden;
  if (S_ISREG(st.st_mode) && st.st_blocks * 512 < st.st_size) bits |= kAttrSparse;
  if (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) {
    // O_NONBLOCK and O_NOFOLLOW: the entry may have been swapped for a FIFO or a link meanwhile.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY));
    int flags = 0;
    if (fd && ::ioctl(fd.get(), FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_COMPR_FL)) bits |= kAttrCompressed;
  }
  return bits;
}

std::string AttributeLetters(std::uint32_t bits) {
  static constexpr struct {
    std::uint32_t bit;
    const char* letters;
  } kOrder[] = {
      {kAttrArchive, "A"},   {kAttrCompressed, "C"},        {kAttrDirectory, "<DIR>"}, {kAttrEncrypted, "E"},
      {kAttrHidden, "H"},    {kAttrNotContentIndexed, "Nci"}, {kAttrOffline, "O"},     {kAttrReadOnly, "R"},
      {kAttrReparsePoint, "Rp"}, {kAttrSparse, "Sf"},       {kAttrSystem, "S"},        {kAttrTemporary, "T"},
  };
  std::string out;
  for (auto& a : kOrder)
    if (bits & a.bit) out += a.letters;
  return out;
}

std::string FileTypeName(const std::string& path) {
  static const QMimeDatabase db;  // thread-safe; the database is loaded once per process
  QString qpath = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
  QMimeType type;
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) {
    type = db.mimeTypeForFile(qpath, QMimeDatabase::MatchExtension);
  } else if (S_ISDIR(st.st_mode)) {
    type = db.mimeTypeForName(QStringLiteral("inode/directory"));
  } else if (S_ISLNK(st.st_mode)) {
    type = db.mimeTypeForName(QStringLiteral("inode/symlink"));
  } else if (S_ISREG(st.st_mode)) {
    type = db.mimeTypeForFile(qpath, QMimeDatabase::MatchDefault);
  } else {
    // Never open a FIFO, socket or device to look at its content.
    type = db.mimeTypeForName(S_ISFIFO(st.st_mode)   ? QStringLiteral("inode/fifo")
                              : S_ISSOCK(st.st_mode) ? QStringLiteral("inode/socket")
                              : S_ISCHR(st.st_mode)  ? QStringLiteral("inode/chardevice")
                                                     : QStringLiteral("inode/blockdevice"));
  }
  if (!type.isValid() || type.isDefault() || type.comment().isEmpty()) return "Unknown Filetype";
  return type.comment().toStdString();
}
