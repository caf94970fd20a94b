#include "AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Sys.h"
#include "core/UniqueFd.h"

namespace {

std::string ParentFolder(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The file a write lands in: the target of a symbolic link, so that a linked profile (a dotfiles
// folder) stays linked.
std::string ResolveTarget(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      std::string r(real);
      ::free(real);
      return r;
    }
  }
  return path;
}

bool Fail(int* err, int e) {
  if (err) *err = e;
  return false;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view data, mode_t newFileMode, int* err) {
  const std::string target = ResolveTarget(path);
  mode_t mode = newFileMode;
  struct stat st;
  if (::stat(target.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return Fail(err, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    // A file without any write bit stays as it is, even for a process that could replace it.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(target.c_str(), W_OK) != 0)
      return Fail(err, EACCES);
    mode = st.st_mode & 07777;
  } else if (errno != ENOENT) {
    return Fail(err, errno);
  }

  auto& ops = qv::sys::ops();
  static std::minstd_rand rng{std::random_device{}()};
  std::string temp;
  UniqueFd fd;
  for (int attempt = 0; attempt < 100 && !fd; ++attempt) {
    temp = target + ".tmp" + std::to_string(rng() % 1000000);
    fd = UniqueFd(ops.open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd && errno != EEXIST) return Fail(err, errno);
  }
  if (!fd) return Fail(err, EEXIST);

  auto abandon = [&](int e) {
    fd.reset();
    ops.unlink(temp.c_str());
    return Fail(err, e);
  };
  if (!qv::sys::writeAll(fd.get(), data.data(), data.size())) return abandon(errno);
  if (::fchmod(fd.get(), mode) != 0) return abandon(errno);
  if (::fsync(fd.get()) != 0) return abandon(errno);
  if (fd.reset() != 0) return abandon(errno);
  if (ops.rename(temp.c_str(), target.c_str()) != 0) return abandon(errno);
  // The rename itself must reach the disk too.
  UniqueFd dir(::open(ParentFolder(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir) ::fsync(dir.get());
  return true;
}

bool ReadWholeFile(const std::string& path, std::string& out, int* err) {
  constexpr off_t kMaxSize = 64 << 20;
  auto& ops = qv::sys::ops();
  UniqueFd fd(ops.open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK, 0));
  if (!fd) return Fail(err, errno);
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) return Fail(err, errno);
  if (S_ISDIR(st.st_mode)) return Fail(err, EISDIR);
  if (!S_ISREG(st.st_mode)) return Fail(err, EINVAL);
  if (st.st_size > kMaxSize) return Fail(err, EFBIG);
  out.assign(static_cast<size_t>(st.st_size), '\0');
  ssize_t got = qv::sys::readFull(fd.get(), out.data(), out.size());
  if (got < 0) return Fail(err, errno);
  out.resize(static_cast<size_t>(got));
  return true;
}

bool MakeFolders(const std::string& folder) {
  if (folder.empty()) return false;
  struct stat st;
  if (::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  std::string parent = ParentFolder(folder);
  if (parent != folder && !MakeFolders(parent)) return false;
  return qv::sys::ops().mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}
