#include "Backup.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "Sys.h"
#include "UniqueFd.h"

namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

std::string BackupBase(const std::string& filePath, const std::string& backupFolder) {
  if (backupFolder == ".") return filePath;
  size_t slash = filePath.find_last_of('/');
  std::string dir = slash == std::string::npos ? std::string() : filePath.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? filePath : filePath.substr(slash + 1);
  std::string backupDir;
  if (!backupFolder.empty() && backupFolder[0] == '.') {
    std::string rest = backupFolder.substr(1);
    if (!rest.empty() && (rest[0] == '/' || rest[0] == '\\') && !dir.empty()) rest.erase(0, 1);
    backupDir = dir + rest;
  } else {
    backupDir = backupFolder;
  }
  if (!backupDir.empty() && backupDir.back() == '\\') backupDir.back() = '/';
  if (!backupDir.empty() && backupDir.back() != '/') backupDir.push_back('/');
  if (!backupDir.empty()) {
    // One level only; it usually exists already.
    std::string mk = backupDir.size() > 1 ? backupDir.substr(0, backupDir.size() - 1) : backupDir;
    qv::sys::ops().mkdir(mk.c_str(), 0777);
  }
  return backupDir + name;
}

std::string NumberedName(const std::string& base, int i) {
  return i == 0 ? base + ".backup" : base + "." + std::to_string(i) + ".backup";
}

}  // namespace

std::string MakeBackupPath(const std::string& filePath, const std::string& backupFolder) {
  std::string base = BackupBase(filePath, backupFolder);
  for (int i = 0;; ++i) {
    std::string p = NumberedName(base, i);
    if (!Exists(p)) return p;
  }
}

bool CopyFileContents(int from, int to) {
  auto& ops = qv::sys::ops();
  bool useCopyRange = true;
  while (useCopyRange) {
    ssize_t n = ops.copy_file_range(from, nullptr, to, nullptr, 1 << 30);
    if (n == 0) return true;
    if (n > 0) continue;
    if (errno == EINTR) continue;
    if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP) {
      useCopyRange = false;  // not on this pair of file systems; copy by hand
      break;
    }
    return false;
  }
  constexpr size_t kBuf = 256 * 1024;
  std::unique_ptr<char[]> buf(new (std::nothrow) char[kBuf]);
  if (!buf) {
    errno = ENOMEM;
    return false;
  }
  while (true) {
    ssize_t n = ops.read(from, buf.get(), kBuf);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    if (!qv::sys::writeAll(to, buf.get(), static_cast<size_t>(n))) return false;
  }
}

BackupCopy MakeBackupCopy(const std::string& filePath, const std::string& backupFolder) {
  auto& ops = qv::sys::ops();
  BackupCopy result;
  std::string base = BackupBase(filePath, backupFolder);
  UniqueFd src(ops.open(filePath.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC, 0));
  struct stat st {};
  if (!src || ::fstat(src.get(), &st) != 0) {
    result.error = errno;
    result.path = NumberedName(base, 0);
    return result;
  }
  UniqueFd dst;
  for (int i = 0;; ++i) {
    result.path = NumberedName(base, i);
    if (Exists(result.path)) continue;
    dst.reset(ops.open(result.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (dst) break;
    if (errno != EEXIST) {  // a name taken meanwhile moves on to the next number
      result.error = errno;
      return result;
    }
  }
  bool ok = CopyFileContents(src.get(), dst.get());
  if (ok) {
    // Owner first: a chown clears the set-id bits that fchmod then puts back.
    if (::geteuid() == 0) (void)::fchown(dst.get(), st.st_uid, st.st_gid);
    (void)::fchmod(dst.get(), st.st_mode & 07777);
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    (void)::futimens(dst.get(), times);
  }
  int err = errno;
  if (dst.reset() != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    ops.unlink(result.path.c_str());
    result.error = err;
    return result;
  }
  result.ok = true;
  return result;
}

bool RestoreOriginal(const std::string& filePath, const std::string& backupPath, std::string& message) {
  auto& ops = qv::sys::ops();
  if (ops.rename(backupPath.c_str(), filePath.c_str()) == 0) {
    message += " Original file has been restored.";
    return true;
  }
  if (errno == EXDEV) {
    // Backup on another file system: copy it back into the original, then drop it.
    UniqueFd from(ops.open(backupPath.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC, 0));
    UniqueFd to(from ? ops.open(filePath.c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0) : -1);
    if (from && to && CopyFileContents(from.get(), to.get()) && to.reset() == 0) {
      ops.unlink(backupPath.c_str());
      message += " Original file has been restored.";
      return true;
    }
  }
  message += " The original file could not be restored; its contents are kept in the backup file \"" +
             backupPath + "\".";
  return false;
}
