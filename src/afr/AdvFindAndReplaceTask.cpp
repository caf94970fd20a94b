#include "AdvFindAndReplaceTask.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "afr/AfrText.h"
#include "core/Backup.h"
#include "core/DirReader.h"
#include "core/FileChecks.h"
#include "core/Sys.h"
#include "core/UniqueFd.h"

namespace {

constexpr long long kMaxFileSize = 0x7FFFFFFF;
constexpr long long kStatusSize = 0x100000;  // loading and saving get a status text above 1 MiB

const char* const kSparseSkipped =
    "Sparse file, skipped! See help file for information on how to enable processing of sparse files.";

struct FreeDeleter {
  void operator()(char* p) const { std::free(p); }
};

}  // namespace

CAdvFindAndReplaceTask::CAdvFindAndReplaceTask(AfrTaskOptions options, CAfrScript& script, IAfrClipboard* clipboard)
    : options_(std::move(options)),
      script_(script),
      clipboard_(clipboard),
      progress_([this](size_t pos) { Post(WM_TASK_FILEPOS, static_cast<std::int64_t>(pos)); }) {}

void CAdvFindAndReplaceTask::Run() {
  if (options_.onClipboard) {
    Post(WM_TASK_TOTAL, std::int64_t{1});
    PostFinished(ProcessClipboard() ? kAfrResultOk : kAfrResultMessages);
    return;
  }
  filter_.Clear();
  if (!CompileFileFilter(options_.filter, filter_, options_.useRegexFilters, options_.dosStarDotStar)) {
    PostFinished(kAfrResultBadFilter);
    return;
  }
  std::int64_t total = 0;
  if (!options_.countingDisabled) {
    PostStatus("Counting files...");
    total = Count(options_.rootFolder);
  }
  Post(WM_TASK_TOTAL, total);
  PostFinished(Walk(options_.rootFolder) && !IsCancelled() ? kAfrResultOk : kAfrResultMessages);
}

int CAdvFindAndReplaceTask::Count(const std::string& folder) {
  if (PollStop()) return 0;
  CDirReader dir(AT_FDCWD, folder.c_str());
  int n = 0;
  for (DirEntry e; dir.Next(e);) {
    if (e.type == EntryType::File) {
      if (filter_.Matches(e.name)) ++n;
    } else if (e.type == EntryType::Directory && options_.recursive) {
      n += Count(qv::JoinPath(folder, e.name));
    }
    if (IsCancelled()) return 0;
  }
  return n;
}

bool CAdvFindAndReplaceTask::Walk(const std::string& folder) {
  if (PollStop()) return false;
  PostStatus("Searching in: ." + folder.substr(std::min(folder.size(), options_.rootFolder.size())));
  CDirReader dir(AT_FDCWD, folder.c_str());
  bool ok = true;
  for (DirEntry e; dir.Next(e);) {
    if (PollStop()) return false;
    if (e.type == EntryType::Directory) {
      if (options_.recursive && !Walk(qv::JoinPath(folder, e.name))) ok = false;
    } else if (e.type == EntryType::File) {
      // Links and special files are never opened: a link's target may lie outside the tree,
      // and opening a FIFO blocks.
      std::string path = qv::JoinPath(folder, e.name);
      if (backupsMade_.count(path) || !filter_.Matches(e.name)) continue;
      struct stat st {};
      if (!options_.processSparse && ::fstatat(dir.Fd(), e.name, &st, AT_SYMLINK_NOFOLLOW) == 0 && IsSparse(st)) {
        PostRowAndStep(path, 0, kSparseSkipped);
        ok = false;
      } else if (!ProcessFile(path)) {
        ok = false;
      }
    }
    if (IsCancelled()) return false;
  }
  return ok;
}

bool CAdvFindAndReplaceTask::ApplyScript(std::string_view text, const std::function<void()>& dropInput,
                                         std::string& result, bool& ranRules, const std::string& where,
                                         long long& total, std::string& message) {
  const size_t ruleCount = script_.rules.size();
  // Two buffers take turns: `in` is the current text once the first rule has run.
  std::string bufs[2];
  int in = -1;  // -1: the current text is still `text`
  for (size_t i = 0; i < ruleCount; ++i) {
    CAfrRule& rule = *script_.rules[i];
    // A rule without a condition or an action can come only from a file; it has nothing to do.
    if (!rule.enabled || !rule.condition || rule.actions.empty()) continue;
    const std::string_view current = in < 0 ? text : std::string_view(bufs[in]);
    std::string& out = bufs[in == 0 ? 1 : 0];
    const std::string number = std::to_string(i + 1);
    PostStatus("Executing rule " + number + "/" + std::to_string(ruleCount) + " on: " + where);
    Post(WM_TASK_FILERANGE, static_cast<std::int64_t>(current.size()));
    long long changes = 0;
    std::string error;
    if (!rule.actions.front()->Apply(current, out, *rule.condition, progress_, changes, error)) {
      message = "Error in rule " + number + ": " + error;
      return false;
    }
    total += changes;
    progress_.Report(current.size());
    if (in < 0) {
      if (dropInput) dropInput();  // at most two copies of the text at a time
    } else {
      bufs[in] = std::string();
    }
    in = in == 0 ? 1 : 0;
  }
  ranRules = in >= 0;
  if (ranRules) result = std::move(bufs[in]);
  return true;
}

bool CAdvFindAndReplaceTask::ProcessFile(const std::string& path) {
  if (PollStop()) return false;
  auto& ops = qv::sys::ops();
  const std::string rel = "." + path.substr(std::min(path.size(), options_.rootFolder.size()));
  std::string message;
  long long total = 0;
  std::string backup;
  bool truncated = false, complete = false;
  long long originalSize = 0;

  [&] {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !IsWritableFile(path, st)) {
      message = "Error, file is read-only.";
      return;
    }
    originalSize = st.st_size;
    if (originalSize > kMaxFileSize) {
      message = "File is too big for the Advanced Find And Replace module, try the Find And Replace module.";
      return;
    }
    if (IsUnicodeTextFile(path)) {
      message = "Unicode files requires the Unicode version of Ambrel Quorvel";
      return;
    }
    BackupCopy copy = MakeBackupCopy(path, options_.backupFolder);
    if (!copy.ok) {
      message = "Couldn't create backup file: \"" + copy.path + "\"";
      return;
    }
    backup = copy.path;
    backupsMade_.insert(backup);

    // The text comes from the backup: it is the copy the restore would put back.
    UniqueFd in(ops.open(backup.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC, 0));
    struct stat bst {};
    if (!in || ::fstat(in.get(), &bst) != 0) {
      message = "Error while opening file.";
      return;
    }
    (void)::posix_fadvise(in.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    const long long size = bst.st_size;
    if (size > kMaxFileSize) {
      message = "File is too big for the Advanced Find And Replace module, try the Find And Replace module.";
      return;
    }
    if (size > kStatusSize) PostStatus("Loading file: " + rel);
    std::unique_ptr<char, FreeDeleter> buf(static_cast<char*>(ops.alloc(static_cast<size_t>(size) + 1)));
    if (!buf) {
      message = "Error while allocating memory.";
      return;
    }
    qv::afr::AdviseHugePages(buf.get(), static_cast<size_t>(size));
    if (qv::sys::readFull(in.get(), buf.get(), static_cast<size_t>(size)) != size) {
      message = "Couldn't read the entire source file.";
      return;
    }
    in.reset();

    std::string result;
    bool ranRules = false;
    if (!ApplyScript(std::string_view(buf.get(), static_cast<size_t>(size)), [&] { buf.reset(); }, result, ranRules,
                     rel, total, message))
      return;
    // Without any rule run the loaded text is written back as it is.
    const std::string_view text =
        ranRules ? std::string_view(result) : std::string_view(buf.get(), static_cast<size_t>(size));

    UniqueFd outFd(ops.open(path.c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0));
    if (!outFd) {
      message = "Error, cannot write to file: " + path;
      return;
    }
    truncated = true;
    if (static_cast<long long>(text.size()) > kStatusSize || size > kStatusSize) PostStatus("Saving file: " + rel);
    if (!qv::sys::writeAll(outFd.get(), text.data(), text.size()) || outFd.reset() != 0) {
      message = "Error while writing to file: " + path;
      return;
    }
    complete = true;
    if (!options_.keepBackups) {
      ops.unlink(backup.c_str());
      backupsMade_.erase(backup);
    }
  }();

  if (!message.empty() && !backup.empty() && !complete) {
    if (truncated) {
      if (RestoreOriginal(path, backup, message)) backupsMade_.erase(backup);
    } else {
      // The original was never opened for writing: it still holds its contents, and the copy
      // made for this rewrite is not needed.
      ops.unlink(backup.c_str());
      backupsMade_.erase(backup);
      message += " Original file has been restored.";
    }
  }
  if (!IsCancelled()) Post(WM_TASK_FILEPOS, static_cast<std::int64_t>(originalSize));
  PostRowAndStep(path, total, message);
  return message.empty();
}

bool CAdvFindAndReplaceTask::ProcessClipboard() {
  std::string message;
  long long total = 0;
  if (!clipboard_ || !clipboard_->HasText()) {
    message = "There is no text available on the clipboard.";
  } else if (!clipboard_->Open()) {
    message = "Couldn't open the clipboard.";
  } else {
    std::string raw;
    if (!clipboard_->GetText(raw)) {
      message = "Couldn't get data from the clipboard.";
    } else {
      // Like a C string: the text ends at its first zero byte.
      size_t zero = raw.find('\0');
      if (zero != std::string::npos) raw.resize(zero);
      std::string result;
      bool ok = false, ranRules = false;
      try {
        ok = ApplyScript(raw, [&] { raw = std::string(); }, result, ranRules, "Clipboard", total, message);
        if (!ranRules) result = std::move(raw);
      } catch (const std::bad_alloc&) {
        message = "Error while allocating memory.";
      }
      // The new text is complete before the old one goes, so a failure leaves the clipboard as it was.
      if (ok && !clipboard_->SetText(result)) message = "Couldn't put data on clipboard.";
    }
    clipboard_->Close();
  }
  PostRowAndStep("Clipboard", total, message);
  return message.empty();
}

void CAdvFindAndReplaceTask::PostRowAndStep(const std::string& path, long long count, const std::string& message) {
  CTaskResultRow row;
  row.count = static_cast<std::int32_t>(count > 0x7FFFFFFF ? 0x7FFFFFFF : count);
  row.isError = message.empty() ? 0 : 1;
  row.path = path;
  row.message = message.empty() ? std::string("OK") : message;
  PostRow(std::move(row));
  Post(WM_TASK_STEP, std::int64_t{0});
}
