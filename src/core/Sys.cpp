#include "Sys.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace qv::sys {
namespace {

int realOpen(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
int realOpenat(int dirfd, const char* path, int flags, mode_t mode) { return ::openat(dirfd, path, flags, mode); }
int realIoctl(int fd, unsigned long request, void* arg) { return ::ioctl(fd, request, arg); }
ssize_t realCopy(int in, off_t* inOff, int out, off_t* outOff, size_t n) {
  return ::copy_file_range(in, inOff, out, outOff, n, 0);
}

const Ops kReal = {
    realOpen, realOpenat, ::close, ::read, ::write, ::lseek, ::ftruncate,
    ::rename, ::unlink, ::mkdir, realCopy, ::malloc, ::realloc,
    ::futimens, ::chmod, realIoctl, ::fstatfs,
};

}  // namespace

Ops& ops() {
  static Ops current = kReal;
  return current;
}

const Ops& realOps() { return kReal; }

bool writeAll(int fd, const void* buf, size_t n) {
  auto* p = static_cast<const char*>(buf);
  while (n > 0) {
    ssize_t w = ops().write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (w == 0) {
      errno = ENOSPC;
      return false;
    }
    p += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

ssize_t readFull(int fd, void* buf, size_t n) {
  auto* p = static_cast<char*>(buf);
  size_t got = 0;
  while (got < n) {
    ssize_t r = ops().read(fd, p + got, n - got);
    if (r < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (r == 0) break;
    got += static_cast<size_t>(r);
  }
  return static_cast<ssize_t>(got);
}

}  // namespace qv::sys
