#include "TouchTask.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include "TouchTime.h"
#include "core/DirReader.h"
#include "core/Sys.h"
#include "core/UniqueFd.h"

namespace {

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

#ifndef F2FS_SUPER_MAGIC
#define F2FS_SUPER_MAGIC 0xF2F52010
#endif

// Other file systems (ext4 among them) accept FS_COMPR_FL and keep it as a bare flag without
// compressing anything; asking them would report a compression that never happens.
bool CompressesFiles(int fd) {
  struct statfs fs {};
  if (qv::sys::ops().fstatfs(fd, &fs) != 0) return false;
  return fs.f_type == static_cast<decltype(fs.f_type)>(BTRFS_SUPER_MAGIC) ||
         fs.f_type == static_cast<decltype(fs.f_type)>(F2FS_SUPER_MAGIC);
}

// 0 on success, else the errno of the failing step.
int ChangeCompression(int fd, bool compress) {
  if (!CompressesFiles(fd)) return EOPNOTSUPP;
  int flags = 0;
  if (qv::sys::ops().ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) return errno;
  int wanted = compress ? (flags | FS_COMPR_FL) : (flags & ~FS_COMPR_FL);
  if (wanted != flags && qv::sys::ops().ioctl(fd, FS_IOC_SETFLAGS, &wanted) != 0) return errno;
  return 0;
}

bool BaseNameIsHidden(const std::string& path) {
  size_t slash = path.find_last_of('/');
  size_t start = slash == std::string::npos ? 0 : slash + 1;
  return start < path.size() && path[start] == '.';
}

}  // namespace

CTouchTask::CTouchTask(CTouchOptions options) : options_(std::move(options)) {}

CTouchTask::~CTouchTask() { StopAndWait(); }

void CTouchTask::AddError(const std::string& path, std::int32_t reason, int systemError) {
  errors_.push_back({path, reason, systemError});
}

void CTouchTask::Run() {
  errors_.clear();
  filter_.Clear();
  if (options_.touchSubfolders &&
      !CompileFileFilter(options_.subfolderFilter, filter_, options_.useRegex, options_.dosStarDotStar)) {
    PostFinished(TOUCH_INVALID_FILTER);
    return;
  }
  PostFinished(TouchAll());
}

int CTouchTask::TouchAll() {
  std::string folder = options_.folder;
  if (!folder.empty() && folder.back() != '/') folder.push_back('/');
  Post(WM_TASK_CURRENTFILE);
  int result = TOUCH_OK;
  for (const std::string& name : options_.names) {
    if (PollStop()) return TOUCH_OK;
    std::string path = folder.empty() ? name : folder + name;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
      // A selected item that has gone is reported: skipping it silently would tell the user
      // that it was touched.
      AddError(path, TOUCH_ERROR_NOT_FOUND, 0);
      result |= TOUCH_FAILED;
      continue;
    }
    if (S_ISDIR(st.st_mode)) {
      // A folder itself is never touched; its files only with touchSubfolders.
      if (options_.touchSubfolders) {
        result |= Walk(path);
        Post(WM_TASK_CURRENTFILE);
        if (IsCancelled()) return TOUCH_OK;
      }
      continue;
    }
    result |= TouchFile(path, false);
  }
  return result;
}

int CTouchTask::Walk(const std::string& folder) {
  if (PollStop()) return TOUCH_OK;
  Post(WM_TASK_CURRENTFILE, folder);
  CDirReader dir(AT_FDCWD, folder.c_str());
  int result = TOUCH_OK;
  for (DirEntry e; dir.Next(e);) {
    if (PollStop()) break;
    // Links and special files are never touched through a walk: a link's target may lie
    // outside the selected folder, and opening a FIFO would block.
    if (e.type == EntryType::Directory) {
      result |= Walk(qv::JoinPath(folder, e.name));
    } else if (e.type == EntryType::File && filter_.Matches(e.name)) {
      result |= TouchFile(qv::JoinPath(folder, e.name), true);
    }
    if (IsCancelled()) break;
  }
  return result;
}

int CTouchTask::TouchFile(const std::string& path, bool fromWalk) {
  const CTouchOptions& o = options_;
  int result = TOUCH_OK;
  auto fail = [&](std::int32_t reason, int systemError) {
    AddError(path, reason, systemError);
    result = TOUCH_FAILED;
  };

  struct stat st;
  int statFlags = fromWalk ? AT_SYMLINK_NOFOLLOW : 0;
  if (::fstatat(AT_FDCWD, path.c_str(), &st, statFlags) != 0) {
    if (errno == ENOENT || errno == ENOTDIR)
      fail(TOUCH_ERROR_NOT_FOUND, 0);
    else
      fail(TOUCH_ERROR_OPEN, errno);
    return result;
  }

  bool changeTimes = o.changeCreated || o.changeModified || o.changeAccessed;
  if (changeTimes || o.compression != TOUCH_LEAVE) {
    // O_NONBLOCK: a selected FIFO must not hang the run; O_NOFOLLOW: a walk never follows links.
    int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (fromWalk ? O_NOFOLLOW : 0);
    UniqueFd fd(qv::sys::ops().open(path.c_str(), flags, 0));
    if (!fd) {
      fail(TOUCH_ERROR_OPEN, errno);
    } else if (o.compression != TOUCH_LEAVE && (st.st_mode & kWriteBits) == 0) {
      // Changing the compression rewrites the file: a read-only file stays as it is, even for a
      // process that could write it anyway (root).
      fail(TOUCH_ERROR_OPEN, EACCES);
    } else {
      if (o.changeCreated) fail(TOUCH_ERROR_FILETIME, EOPNOTSUPP);
      if (o.changeModified || o.changeAccessed) {
        struct timespec times[2] = {{0, UTIME_OMIT}, {0, UTIME_OMIT}};
        std::int64_t stamp = 0;
        bool ok = true;
        if (o.changeAccessed) {
          ok = ok && LocalTimeToStamp(o.accessed, stamp);
          times[0] = {static_cast<time_t>(stamp), 0};
        }
        if (o.changeModified) {
          ok = ok && LocalTimeToStamp(o.modified, stamp);
          times[1] = {static_cast<time_t>(stamp), 0};
        }
        if (!ok)
          fail(TOUCH_ERROR_FILETIME, EINVAL);
        else if (qv::sys::ops().futimens(fd.get(), times) != 0)
          fail(TOUCH_ERROR_FILETIME, errno);
      }
      if (o.compression != TOUCH_LEAVE) {
        if (int err = ChangeCompression(fd.get(), o.compression == TOUCH_SET)) fail(TOUCH_ERROR_COMPRESSION, err);
      }
    }
  }

  bool attributes = o.readOnly != TOUCH_LEAVE || o.hidden != TOUCH_LEAVE || o.archive != TOUCH_LEAVE ||
                    o.system != TOUCH_LEAVE || o.notContentIndexed != TOUCH_LEAVE;
  if (attributes) {
    int attrError = 0;
    // Hidden follows from the name; archive, system and not content indexed are never set on
    // Linux. A choice that asks for the state the file already has succeeds without a change.
    if (o.hidden != TOUCH_LEAVE && (o.hidden == TOUCH_SET) != BaseNameIsHidden(path)) attrError = EOPNOTSUPP;
    if (o.archive == TOUCH_SET || o.system == TOUCH_SET || o.notContentIndexed == TOUCH_SET) attrError = EOPNOTSUPP;
    if (o.readOnly != TOUCH_LEAVE) {
      struct stat now;
      if (::fstatat(AT_FDCWD, path.c_str(), &now, statFlags) != 0) {
        attrError = errno;
      } else if (!S_ISLNK(now.st_mode)) {
        mode_t mode = now.st_mode & 07777;
        mode_t wanted = o.readOnly == TOUCH_SET ? (mode & ~kWriteBits) : (mode | S_IWUSR);
        if (wanted != mode && qv::sys::ops().chmod(path.c_str(), wanted) != 0 && attrError == 0) attrError = errno;
      }
    }
    if (attrError != 0) fail(TOUCH_ERROR_ATTRIBUTES, attrError);
  }

  // There is no per-file encryption on Linux.
  if (o.encryption == TOUCH_CLEAR) fail(TOUCH_ERROR_DECRYPT, EOPNOTSUPP);
  if (o.encryption == TOUCH_SET) fail(TOUCH_ERROR_ENCRYPT, EOPNOTSUPP);
  return result;
}
