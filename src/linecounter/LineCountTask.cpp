#include "LineCountTask.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "LineFeedCount.h"
#include "core/DirReader.h"
#include "core/Format.h"
#include "core/Sys.h"
#include "core/UniqueFd.h"

std::string LineCountText(std::uint64_t lines, bool endsWithLineFeed) {
  std::string text = FormatCount64(lines);
  if (endsWithLineFeed) text += " (+1 empty line)";
  return text;
}

std::string LineCountTotalsText(std::uint64_t lines, std::uint32_t files) {
  return "Counted " + FormatCount64(lines) + " lines in " + FormatCount(files) + " files.";
}

void CLineCountTask::FreeDeleter::operator()(void* p) const { std::free(p); }

CLineCountTask::CLineCountTask(CLineCountOptions options) : options_(std::move(options)) {}

CLineCountTask::~CLineCountTask() { StopAndWait(); }

void CLineCountTask::Run() {
  if (!buffer_) buffer_.reset(static_cast<char*>(qv::sys::ops().alloc(kLineCountBlockSize)));
  if (!buffer_) {
    PostFinished(LINECOUNT_OUT_OF_MEMORY);
    return;
  }
  filter_.Clear();
  if (!CompileFileFilter(options_.filter, filter_, options_.useRegex, options_.dosStarDotStar)) {
    PostFinished(LINECOUNT_INVALID_FILTER);
    return;
  }
  std::uint32_t total = 0;
  if (!options_.noCounting) {
    PostStatus("Counting files...");
    CDirReader dir(AT_FDCWD, options_.folder.c_str());
    CountFiles(dir, total);
  }
  Post(WM_TASK_TOTAL, static_cast<std::int64_t>(total));

  totalLines_ = 0;
  files_ = 0;
  if (!IsCancelled()) {
    CDirReader dir(AT_FDCWD, options_.folder.c_str());
    Walk(dir, options_.folder);
  }
  PostStatus(LineCountTotalsText(totalLines_, files_));
  PostFinished(IsCancelled() ? LINECOUNT_CANCELLED : LINECOUNT_DONE);
}

void CLineCountTask::CountFiles(CDirReader& dir, std::uint32_t& count) {
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

void CLineCountTask::Walk(CDirReader& dir, const std::string& path) {
  if (PollStop()) return;
  for (DirEntry e; dir.Next(e);) {
    if (PollStop()) return;
    // Links and special files are never opened by a walk (a FIFO would block).
    if (e.type == EntryType::File && filter_.Matches(e.name)) {
      std::string file = qv::JoinPath(path, e.name);
      PostStatus("Counting lines in \"" + file + "\"");
      CountFile(dir.Fd(), e.name, file);
      ++files_;
    } else if (e.type == EntryType::Directory && options_.recursive) {
      CDirReader sub(dir.Fd(), e.name);
      if (sub) Walk(sub, qv::JoinPath(path, e.name));
    }
    if (IsCancelled()) return;
  }
}

void CLineCountTask::CountFile(int dirFd, const char* name, const std::string& path) {
  if (PollStop()) return;
  std::uint64_t lines = 0;
  bool lastWasLineFeed = false;
  const char* error = nullptr;
  UniqueFd fd(qv::sys::ops().openat(dirFd, name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK, 0));
  struct stat st;
  if (!fd) {
    error = "Couldn't open file.";
  } else if (::fstat(fd.get(), &st) != 0) {
    error = "Error while reading from file.";
  } else if (st.st_size > 0) {
    auto size = static_cast<std::uint64_t>(st.st_size);
    bool large = size >= kLineCountBlockSize;
    ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    lines = 1;
    if (large) Post(WM_TASK_FILESIZE, static_cast<std::int64_t>(size));
    if (!PollStop()) {
      char* buf = buffer_.get();
      std::uint64_t pos = 0;
      while (true) {
        ssize_t n = qv::sys::ops().read(fd.get(), buf, kLineCountBlockSize);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
          error = "Error while reading from file.";
          break;
        }
        if (n == 0) {
          if (lastWasLineFeed) --lines;
          break;
        }
        lines += CountLineFeeds(buf, static_cast<std::size_t>(n));
        lastWasLineFeed = buf[n - 1] == '\n';
        pos += static_cast<std::uint64_t>(n);
        if (large) Post(WM_TASK_FILEPOS64, static_cast<std::int64_t>(pos));
        if (PollStop()) break;
      }
    }
  }
  fd.reset();

  CTaskResultRow row;
  row.path = path;
  if (IsCancelled()) {
    row.isError = 1;
    row.message = "Operation Cancelled.";
  } else if (error) {
    row.isError = 1;
    row.message = error;
  } else {
    row.count = lines > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(lines);
    row.message = LineCountText(lines, lastWasLineFeed);
    totalLines_ += lines;
  }
  PostRow(std::move(row));
  Post(WM_TASK_STEP);
}
