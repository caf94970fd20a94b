#include "FindAndReplaceTask.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Backup.h"
#include "core/DirReader.h"
#include "core/FileChecks.h"
#include "core/Sys.h"
#include "core/UniqueFd.h"

namespace {

constexpr const char* kSparseSkipped =
    "Sparse file, skipped! See help file for information on how to enable processing of sparse files.";
constexpr const char* kUnicode = "Unicode files requires the Unicode version of Ambrel Quorvel";
constexpr const char* kTooSmall = "File is smaller than the searchstring.";
constexpr const char* kInvalidSearch = "Invalid search expression.";
constexpr const char* kCancelled = "Cancelled - File has not been changed.";

// The new contents of one chunk, grown through the allocation seam so tests can refuse memory.
class OutputBuffer {
 public:
  ~OutputBuffer() { std::free(data_); }
  bool Init(std::int64_t capacity) {
    data_ = static_cast<char*>(qv::sys::ops().alloc(static_cast<size_t>(capacity)));
    cap_ = data_ ? capacity : 0;
    return data_ != nullptr;
  }
  bool Append(const char* p, std::int64_t n) {
    if (n <= 0) return true;
    if (len_ + n >= cap_) {
      std::int64_t want = std::max(len_ + n + 1, cap_ + CFindAndReplaceTask::kOutputStep);
      auto* grown = static_cast<char*>(qv::sys::ops().realloc(data_, static_cast<size_t>(want)));
      if (!grown) return false;
      data_ = grown;
      cap_ = want;
    }
    std::memcpy(data_ + len_, p, static_cast<size_t>(n));
    len_ += n;
    return true;
  }
  void Clear() { len_ = 0; }
  const char* data() const { return data_; }
  std::int64_t size() const { return len_; }

 private:
  char* data_ = nullptr;
  std::int64_t cap_ = 0, len_ = 0;
};

}  // namespace

// One pass of the chunked reader over a file, shared by find and replace mode. Every chunk after
// the first begins with the last Lovl-1 bytes of the one before (or with the bytes after a match
// near its end), so a match that straddles two chunks is seen whole; regular expressions see one
// chunk at a time.
struct CFindAndReplaceTask::Scan {
  enum End { Done, Hit, Cancelled, ReadFailed, SearchFailed, NoMemory, WriteFailed, Utf16 };

  CFindAndReplaceTask& task;
  int in;
  std::int64_t size;
  bool large;
  OutputBuffer* out;  // null in find mode
  int outFd;
  int count = 0;
  bool refuseUtf16 = false;  // end with Utf16 when the first chunk starts with its byte-order mark

  End Run() {
    char* data = task.buffer_.get() + 1;
    const std::int64_t lmin = task.lmin_, lovl = task.lovl_, bufSize = task.bufSize_;
    std::int64_t chunkOff = 0, keep = 0, lastReported = 0;
    bool first = true;
    // Moves the last `back` bytes (and the byte before them) to the front for the next chunk.
    auto carry = [&](std::int64_t n, std::int64_t back) {
      std::memmove(data - 1, data + n - back - 1, static_cast<size_t>(back + 1));
      chunkOff += n - back;
      keep = back;
    };
    while (true) {
      if (task.PollStop()) return Cancelled;
      if (large && chunkOff - lastReported > kProgressStep) {
        lastReported = chunkOff;
        task.Post(WM_TASK_FILEPOS64, chunkOff);
      }
      std::int64_t want = bufSize - keep;
      ssize_t got = qv::sys::readFull(in, data + keep, static_cast<size_t>(want));
      if (got < 0) return ReadFailed;
      std::int64_t n = keep + got;
      bool atEof = chunkOff + n >= size;
      // The file ended before its size said: bytes would be lost, so the file is left alone.
      if (got < want && !atEof) return ReadFailed;
      if (refuseUtf16 && chunkOff == 0 && StartsWithUtf16Bom(data, n)) return Utf16;
      if (n < lmin) {
        if (out && !WriteOut(data, n)) return WriteFailed;
        if (atEof) return Done;
        carry(n, 0);
        continue;
      }
      if (!out) {
        SearchRange r{data, data + n, chunkOff > 0, first, atEof};
        first = false;
        auto res = task.matcher_.Search(r);
        if (res == CFindMatcher::Error) return SearchFailed;
        if (res == CFindMatcher::Found) return Hit;
        if (atEof) return Done;
        carry(n, lovl - 1);
        continue;
      }
      out->Clear();
      std::int64_t e = n, p = 0, back = 0;
      while (p <= e) {
        SearchRange r{data + p, data + e, chunkOff + p > 0, first, atEof};
        first = false;
        auto res = task.matcher_.Search(r);
        if (res == CFindMatcher::Error) return SearchFailed;
        if (res == CFindMatcher::NotFound) {
          std::int64_t upTo = atEof ? n : n - lovl + 1;
          if (upTo > p && !out->Append(data + p, upTo - p)) return NoMemory;
          back = lovl - 1;
          break;
        }
        if (!out->Append(data + p, r.offset)) return NoMemory;
        p += r.offset;
        if (!out->Append(task.replace_.data(), static_cast<std::int64_t>(task.replace_.size()))) return NoMemory;
        ++count;
        p = p + r.length - 1;  // the match's last byte (the byte before an empty match)
        std::int64_t rest = e - p;
        if (rest < lovl && !atEof) {
          // Too close to the chunk's end to search on: read the bytes after the match again.
          e = p;
          back = rest - 1;
        } else {
          back = lovl - 1;
        }
        ++p;
      }
      if (!WriteOut(out->data(), out->size())) return WriteFailed;
      if (atEof) return Done;
      carry(n, back);
    }
  }

  bool WriteOut(const char* p, std::int64_t n) { return n == 0 || qv::sys::writeAll(outFd, p, static_cast<size_t>(n)); }
};

CFindAndReplaceTask::~CFindAndReplaceTask() { StopAndWait(); }

void CFindAndReplaceTask::Run() {
  const auto& o = options;
  filter_.Clear();
  backupsMade_.clear();
  if (!CompileFileFilter(o.filterText, filter_, o.useRegexFilters, o.dosStarDotStar)) {
    PostFinished(kInvalidFilter);
    return;
  }
  find_ = o.regex ? o.findText : ExpandEscapes(o.findText);
  if (!matcher_.Compile(find_, o.regex, o.matchCase)) {
    PostFinished(kInvalidRegex);
    return;
  }
  replace_ = ExpandEscapes(o.replaceText);
  lmin_ = o.regex ? 1 : static_cast<std::int64_t>(find_.size());
  lovl_ = o.regex ? kRegexOverlap : lmin_;
  bufSize_ = lovl_ > kChunk ? lovl_ + 1 : kChunk;
  buffer_ = {static_cast<char*>(qv::sys::ops().alloc(static_cast<size_t>(bufSize_ + 1))), std::free};
  if (!buffer_) {
    PostFinished(kOutOfMemory);
    return;
  }
  std::int64_t total = 0;
  if (!o.disableCounting) {
    PostStatus("Counting files...");
    total = Count(AT_FDCWD, o.rootFolder.c_str());
  }
  Post(WM_TASK_TOTAL, total);
  bool ok = Walk(AT_FDCWD, o.rootFolder.c_str(), o.rootFolder);
  PostFinished(ok ? kDone : kSomeFailed);
}

int CFindAndReplaceTask::Count(int parentFd, const char* name) {
  if (PollStop()) return 0;
  CDirReader dir(parentFd, name);
  int sum = 0;
  for (DirEntry e; dir.Next(e);) {
    if (e.type == EntryType::File) {
      sum += filter_.Matches(e.name) ? 1 : 0;
    } else if (e.type == EntryType::Directory && options.recursive) {
      sum += Count(dir.Fd(), e.name);
    }
    if (cancelled_) return 0;
  }
  return sum;
}

bool CFindAndReplaceTask::Walk(int parentFd, const char* name, const std::string& folder) {
  if (PollStop()) return false;
  PostStatus("Searching in: ." + folder.substr(std::min(folder.size(), options.rootFolder.size())));
  CDirReader dir(parentFd, name);
  bool result = true;
  for (DirEntry e; dir.Next(e);) {
    if (PollStop()) return false;
    if (e.type == EntryType::Directory) {
      if (options.recursive && !Walk(dir.Fd(), e.name, qv::JoinPath(folder, e.name))) result = false;
    } else if (e.type == EntryType::File && filter_.Matches(e.name)) {
      std::string path = qv::JoinPath(folder, e.name);
      if (backupsMade_.count(path)) continue;
      if (find_.empty()) {
        if (!options.disableCounting) PostCurrentFile(path);
        PostRow({0, 0, path, std::nullopt});
      } else if (options.replaceMode) {
        struct stat st;
        if (!options.processSparse && ::fstatat(dir.Fd(), e.name, &st, AT_SYMLINK_NOFOLLOW) == 0 && IsSparse(st)) {
          PostRow({0, 1, path, kSparseSkipped});
          result = false;
        } else if (!ProcessReplace(path)) {
          result = false;
        }
      } else if (!ProcessFind(dir.Fd(), e.name, path)) {
        result = false;
      }
    }
    if (cancelled_) break;
  }
  return result && !cancelled_;
}

bool CFindAndReplaceTask::ProcessFind(int dirFd, const char* name, const std::string& path) {
  if (PollStop()) return false;
  PostCurrentFile(path);
  // One descriptor serves the byte-order-mark test, the size and the scan.
  UniqueFd fd(qv::sys::ops().openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0));
  if (!fd) return false;  // "Error while opening file: " is not shown in find mode
  struct stat st;
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  std::int64_t size = st.st_size;
  // Failures are not listed in find mode; they only make the run's result false.
  if (size < lmin_) return false;  // kTooSmall
  bool large = size >= kLargeFile;
  if (large) {
    Post(WM_TASK_FILESIZE, size);
    ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
  }
  // The byte-order mark is tested on the first chunk: one read instead of two.
  Scan scan{*this, fd.get(), size, large, nullptr, -1, 0, /*refuseUtf16=*/true};
  Scan::End end = scan.Run();
  fd.reset();
  if (!cancelled_ && large) Post(WM_TASK_FILEPOS64, size);
  if (end == Scan::Hit) PostRow({0, 0, path, std::nullopt});
  return (end == Scan::Hit || end == Scan::Done) && !cancelled_;
}

bool CFindAndReplaceTask::ProcessReplace(const std::string& path) {
  auto& ops = qv::sys::ops();
  if (PollStop()) return false;
  PostCurrentFile(path);
  std::string message;
  BackupCopy backup;
  bool truncated = false, complete = false;
  std::int64_t size = 0;
  bool large = false;
  Scan::End end = Scan::Done;
  int count = 0;

  auto fail = [&](std::string text) { message = std::move(text); };
  do {
    // A file without any write bit counts as read-only even for root.
    UniqueFd check(ops.open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0));
    struct stat st;
    if (!check || ::fstat(check.get(), &st) != 0 || (st.st_mode & 0222) == 0) {
      fail("Error, file is read-only.");
      break;
    }
    char bom[2];
    if (qv::sys::readFull(check.get(), bom, 2) == 2 && StartsWithUtf16Bom(bom, 2)) {
      fail(kUnicode);
      break;
    }
    check.reset();
    size = st.st_size;
    if (size < lmin_) {
      fail(kTooSmall);
      break;
    }
    backup = MakeBackupCopy(path, options.backupFolder);
    if (!backup.ok) {
      fail("Couldn't create backup file: \"" + backup.path + "\"");
      break;
    }
    backupsMade_.insert(backup.path);
    large = size >= kLargeFile;
    if (large) Post(WM_TASK_FILESIZE, size);
    OutputBuffer out;
    if (!out.Init(bufSize_ + kOutputStep)) {
      fail("Error while allocating memory.");
      break;
    }
    UniqueFd in(ops.open(backup.path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC, 0));
    if (!in) {
      fail("Error while opening backup file: " + backup.path);
      break;
    }
    UniqueFd original(ops.open(path.c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0));
    if (!original) {
      fail("Error, cannot write to file: " + path);
      break;
    }
    truncated = true;
    if (large) ::posix_fadvise(in.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    Scan scan{*this, in.get(), size, large, &out, original.get()};
    end = scan.Run();
    count = scan.count;
    switch (end) {
      case Scan::ReadFailed: fail("Error while reading from file."); break;
      case Scan::SearchFailed: fail(kInvalidSearch); break;
      case Scan::NoMemory: fail("Error while allocating memory."); break;
      case Scan::WriteFailed: fail("Error while writing to file: " + path); break;
      default: break;
    }
    in.reset();
    // A failed close can be the first report of a failed write (NFS, quotas).
    if (original.reset() != 0 && message.empty()) fail("Error while writing to file: " + path);
    if (!message.empty()) break;
    complete = true;
    if (cancelled_) {
      std::string restoreNote;
      if (RestoreOriginal(path, backup.path, restoreNote)) {
        backupsMade_.erase(backup.path);
        message = kCancelled;
      } else {
        message = "Cancelled -" + restoreNote;
      }
    } else if (!options.keepBackups) {
      ops.unlink(backup.path.c_str());
      backupsMade_.erase(backup.path);
    }
  } while (false);

  if (!message.empty() && backup.ok && !complete) {
    if (truncated) {
      if (RestoreOriginal(path, backup.path, message)) backupsMade_.erase(backup.path);
    } else {
      // The original was never touched: dropping the copy leaves it as it was.
      ops.unlink(backup.path.c_str());
      backupsMade_.erase(backup.path);
      message += " Original file has been restored.";
    }
  }
  if (!cancelled_ && large) Post(WM_TASK_FILEPOS64, size);
  if (cancelled_ && complete) {
    PostRow({0, 1, path, message});
  } else if (!message.empty()) {
    PostRow({count, 1, path, message});
  } else {
    PostRow({count, 0, path, "OK"});
  }
  return message.empty() && !cancelled_;
}
