#include "UniqueFd.h"

#include "Sys.h"

int UniqueFd::reset(int fd) {
  int rc = 0;
  if (fd_ >= 0) rc = qv::sys::ops().close(fd_);
  fd_ = fd;
  return rc;
}
