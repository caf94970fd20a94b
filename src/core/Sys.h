#pragma once
// The thin seam over the system calls that touch file contents. Engines call qv::sys::ops().x
// instead of ::x so that tests can make a single call fail (EACCES, ENOSPC, a short write or a
// failed read) and check that the file is left untouched or restored.
//
//   auto saved = qv::sys::ops();
//   qv::sys::ops().write = [](int, const void*, size_t) -> ssize_t { errno = ENOSPC; return -1; };
//   ... run the task ...
//   qv::sys::ops() = saved;
#include <cstddef>
#include <sys/types.h>

struct timespec;
struct statfs;

namespace qv::sys {

struct Ops {
  int (*open)(const char* path, int flags, mode_t mode);
  int (*openat)(int dirfd, const char* path, int flags, mode_t mode);
  int (*close)(int fd);
  ssize_t (*read)(int fd, void* buf, size_t n);
  ssize_t (*write)(int fd, const void* buf, size_t n);
  off_t (*lseek)(int fd, off_t offset, int whence);
  int (*ftruncate)(int fd, off_t length);
  int (*rename)(const char* from, const char* to);
  int (*unlink)(const char* path);
  int (*mkdir)(const char* path, mode_t mode);
  ssize_t (*copy_file_range)(int in, off_t* inOff, int out, off_t* outOff, size_t n);
  // Allocation of the working buffers; nullptr means out of memory.
  void* (*alloc)(size_t n);
  void* (*realloc)(void* p, size_t n);
  // Times, attributes and file flags (the File Toucher).
  int (*futimens)(int fd, const struct timespec times[2]);
  int (*chmod)(const char* path, mode_t mode);
  int (*ioctl)(int fd, unsigned long request, void* arg);
  int (*fstatfs)(int fd, struct statfs* buf);
};

// The process-wide table; defaults to the real calls.
Ops& ops();
// The table of the real calls, to restore after a test.
const Ops& realOps();

// Writes all n bytes, retrying after EINTR and partial writes; returns false (errno set) on a
// failure or when the device takes no more bytes.
bool writeAll(int fd, const void* buf, size_t n);
// Reads until n bytes or the end of the file; returns the count read or -1 (errno set).
ssize_t readFull(int fd, void* buf, size_t n);

}  // namespace qv::sys
