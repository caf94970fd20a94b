#include "CompareTask.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/DirReader.h"
#include "core/Format.h"
#include "core/Sys.h"
#include "core/UniqueFd.h"

namespace {

constexpr int kOpenFlags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

}  // namespace

std::string CompareStatisticsText(std::uint32_t files, std::uint64_t bytes, std::int64_t seconds,
                                  std::uint32_t different) {
  // The clock counts whole seconds: a quick run would otherwise divide by zero.
  if (seconds < 1) seconds = 1;
  auto speed = static_cast<std::uint64_t>(std::llround(static_cast<double>(bytes) / static_cast<double>(seconds)));
  return "Compared " + FormatCount(files) + " files (" + FormatSize(bytes) + " [" + FormatCount64(bytes) +
         " bytes]) with an average speed of " + FormatSpeed(speed) + ". " + FormatCount(different) +
         " files were different.";
}

void CCompareTask::FreeDeleter::operator()(void* p) const { std::free(p); }

CCompareTask::CCompareTask(CCompareOptions options) : options_(std::move(options)) {}

CCompareTask::~CCompareTask() { StopAndWait(); }

void CCompareTask::Run() {
  if (!buffer1_) buffer1_.reset(static_cast<char*>(qv::sys::ops().alloc(kCompareBlockSize)));
  if (!buffer2_) buffer2_.reset(static_cast<char*>(qv::sys::ops().alloc(kCompareBlockSize)));
  if (!buffer1_ || !buffer2_) {
    PostFinished(COMPARE_OUT_OF_MEMORY);
    return;
  }
  filter_.Clear();
  if (!CompileFileFilter(options_.filter1, filter_, options_.useRegex, options_.dosStarDotStar)) {
    PostFinished(COMPARE_INVALID_FILTER);
    return;
  }

  std::uint32_t total = 0;
  if (!options_.noCounting) {
    if (options_.twoFiles) {
      total = 1;
    } else {
      PostStatus("Counting files...");
      CDirReader dir(AT_FDCWD, options_.folder1.c_str());
      CountFiles(dir, total);
    }
  }
  Post(WM_TASK_TOTAL, static_cast<std::int64_t>(total));

  bytesCompared_ = 0;
  filesCompared_ = 0;
  filesDifferent_ = 0;
  std::time_t start = std::time(nullptr);
  bool identical = true;
  if (options_.twoFiles) {
    std::string file1 = qv::JoinPath(options_.folder1, options_.filter1.c_str());
    std::string file2 = qv::JoinPath(options_.folder2, options_.filter2.c_str());
    PostStatus("Comparing \"" + file1 + "\" with \"" + file2 + "\"");
    identical = CompareFiles(AT_FDCWD, file1.c_str(), file1, AT_FDCWD, file2.c_str(), file2, false);
    ++filesCompared_;
    if (!identical) ++filesDifferent_;
  } else if (!IsCancelled()) {
    CDirReader dir1(AT_FDCWD, options_.folder1.c_str());
    UniqueFd dir2(qv::sys::ops().open(options_.folder2.empty() ? "/" : options_.folder2.c_str(),
                                      O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
    identical = WalkFolder(dir1, options_.folder1, dir2.get(), options_.folder2);
  } else {
    identical = false;
  }
  std::time_t end = std::time(nullptr);
  PostStatus(CompareStatisticsText(filesCompared_, bytesCompared_, end - start, filesDifferent_));
  PostFinished(identical && !IsCancelled() ? COMPARE_IDENTICAL : COMPARE_DIFFERENT);
}

void CCompareTask::CountFiles(CDirReader& dir, std::uint32_t& count) {
  if (PollStop()) return;
  for (DirEntry e; dir.Next(e);) {
    if (e.type == EntryType::File) {
      if (filter_.Matches(e.name)) ++count;
    } else if (e.type == EntryType::Directory && options_.recursive) {
      CDirReader sub(dir.Fd(), e.name);
      CountFiles(sub, count);
      if (IsCancelled()) return;
    }
  }
}

// The folder-2 side is followed with a descriptor of the matching folder (-1 when it is not
// there), so that file 2 is found relative to it rather than by a full path each time.
bool CCompareTask::WalkFolder(CDirReader& dir1, const std::string& path1, int dir2Fd, const std::string& path2) {
  if (PollStop()) return false;
  bool identical = true;
  for (DirEntry e; dir1.Next(e);) {
    if (PollStop()) return false;
    // Links and special files of folder 1 are never read: a link may point anywhere and a FIFO
    // would block.
    if (e.type == EntryType::File && filter_.Matches(e.name)) {
      std::string file1 = qv::JoinPath(path1, e.name);
      std::string file2 = qv::JoinPath(path2, e.name);
      ++filesCompared_;
      PostStatus("Comparing \"" + file1 + "\" with \"" + file2 + "\"");
      if (!CompareFiles(dir1.Fd(), e.name, file1, dir2Fd, e.name, file2, true)) {
        ++filesDifferent_;
        identical = false;
      }
    } else if (e.type == EntryType::Directory && options_.recursive) {
      CDirReader sub1(dir1.Fd(), e.name);
      if (sub1) {
        UniqueFd sub2(dir2Fd >= 0 ? qv::sys::ops().openat(dir2Fd, e.name, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0) : -1);
        std::string name = e.name;  // e.name lives in dir1's buffer only until the next entry
        if (!WalkFolder(sub1, qv::JoinPath(path1, name.c_str()), sub2.get(), qv::JoinPath(path2, name.c_str())))
          identical = false;
      }
    }
    if (IsCancelled()) return false;
  }
  return identical;
}

bool CCompareTask::CompareFiles(int dir1Fd, const char* name1, const std::string& path1, int dir2Fd,
                                const char* name2, const std::string& path2, bool fromWalk) {
  if (PollStop()) return false;
  std::string message;
  bool large = false;
  bool cancelled = false;
  std::uint64_t pos = 0;

  struct stat st2;
  bool exists2 = dir2Fd != -1 && ::fstatat(dir2Fd, name2, &st2, 0) == 0;
  if (!exists2 && (dir2Fd == -1 || errno == ENOENT || errno == ENOTDIR)) {
    message = "File does not exist in the Compare With folder.";
  } else {
    struct stat st1;
    bool exists1 = ::fstatat(dir1Fd, name1, &st1, fromWalk ? AT_SYMLINK_NOFOLLOW : 0) == 0;
    std::uint64_t size1 = exists1 ? st1.st_size : 0;
    std::uint64_t size2 = exists2 ? st2.st_size : 0;
    if (!exists1 && (errno == ENOENT || errno == ENOTDIR)) {
      // A file 1 that has gone would otherwise count as empty and read "File size is different.".
      message = "Couldn't open file.";
    } else if (size1 != size2) {
      message = "File size is different.";
    } else {
      large = size1 >= kCompareBlockSize;
      UniqueFd fd1(qv::sys::ops().openat(dir1Fd, name1, kOpenFlags | (fromWalk ? O_NOFOLLOW : 0), 0));
      UniqueFd fd2;
      if (!fd1) {
        message = "Couldn't open file.";
      } else if (!exists2 || !S_ISREG(st2.st_mode) ||
                 !(fd2 = UniqueFd(qv::sys::ops().openat(dir2Fd, name2, kOpenFlags, 0)))) {
        message = "Couldn't open file to compare with (" + path2 + ").";
      } else {
        ::posix_fadvise(fd1.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
        ::posix_fadvise(fd2.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
        if (large) Post(WM_TASK_FILESIZE, static_cast<std::int64_t>(size1));
        char* b1 = buffer1_.get();
        char* b2 = buffer2_.get();
        while (pos < size1) {
          if (PollStop()) {
            cancelled = true;
            break;
          }
          if (large) Post(WM_TASK_FILEPOS64, static_cast<std::int64_t>(pos));
          // Ask for no more than the size taken before: a small file then needs one read.
          std::size_t want = size1 - pos < kCompareBlockSize ? static_cast<std::size_t>(size1 - pos) : kCompareBlockSize;
          ssize_t n1 = qv::sys::readFull(fd1.get(), b1, want);
          if (n1 < 0) {
            message = "Error while reading from file.";
            break;
          }
          ssize_t n2 = qv::sys::readFull(fd2.get(), b2, want);
          if (n2 < 0) {
            message = "Error while reading from file to compare with (" + path2 + ").";
            break;
          }
          bytesCompared_ += static_cast<std::uint64_t>(n1);
          // Unequal counts mean a file changed while it was compared: comparing on would look
          // at bytes left in the buffer from the previous block.
          if (n1 != n2 || std::memcmp(b1, b2, static_cast<std::size_t>(n1)) != 0) {
            message = "Files are different.";
            break;
          }
          if (n1 == 0) break;
          pos += static_cast<std::uint64_t>(n1);
        }
        if (!cancelled && large) Post(WM_TASK_FILEPOS64, static_cast<std::int64_t>(pos));
      }
    }
  }

  // A cancelled file without a message is listed only where identical files are.
  if (!message.empty() || options_.showIdentical) {
    CTaskResultRow row;
    row.path = path1;
    row.isError = cancelled || !message.empty();
    row.message = cancelled ? "Operation Cancelled." : !message.empty() ? message : "Identical";
    PostRow(std::move(row));
  }
  Post(WM_TASK_STEP);
  return message.empty() && !cancelled;
}
