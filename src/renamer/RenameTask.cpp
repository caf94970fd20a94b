#include "renamer/RenameTask.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Utf8Case.h"

namespace {

std::int32_t ReasonFor(int err) {
  switch (err) {
    case ENOENT:
    case ENOTDIR:
      return RENAME_ERROR_NOT_FOUND;
    case EINVAL:
    case ENAMETOOLONG:
      return RENAME_ERROR_INVALID_NAME;
    case EEXIST:
    case ENOTEMPTY:
    case EACCES:
    case EPERM:
      return RENAME_ERROR_EXISTS_OR_DENIED;
    default:
      return RENAME_ERROR_OTHER;
  }
}

bool SameEntry(int dir, const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return ::fstatat(dir, a.c_str(), &sa, AT_SYMLINK_NOFOLLOW) == 0 &&
         ::fstatat(dir, b.c_str(), &sb, AT_SYMLINK_NOFOLLOW) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// For file systems without RENAME_NOREPLACE: a hard link fails atomically when the target
// exists; where links are not possible (folders, FAT), a test just before the rename has to do.
int RenameWithoutNoReplace(int dir, const std::string& from, const std::string& to) {
  if (::linkat(dir, from.c_str(), dir, to.c_str(), 0) == 0) {
    if (::unlinkat(dir, from.c_str(), 0) == 0) return 0;
    int e = errno;
    ::unlinkat(dir, to.c_str(), 0);
    return e;
  }
  if (errno == EEXIST) return EEXIST;
  struct stat st;
  if (::fstatat(dir, to.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return EEXIST;
  return ::renameat(dir, from.c_str(), dir, to.c_str()) == 0 ? 0 : errno;
}

int RenameNoReplaceOnce(int dir, const std::string& from, const std::string& to) {
  if (::renameat2(dir, from.c_str(), dir, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  int e = errno;
  if (e == EINVAL || e == ENOSYS) {
    // EINVAL here means the file system does not offer the flag: the names were checked before.
    return RenameWithoutNoReplace(dir, from, to);
  }
  return e;
}

// A new name that differs only in letter case names the same entry on a case-insensitive file
// system, so the rename goes through a temporary name in the same folder.
int RenameCaseOnly(int dir, const std::string& from, const std::string& to) {
  std::random_device rd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char temp[32];
    std::snprintf(temp, sizeof temp, ".qv-rename-%08x", static_cast<unsigned>(rd()));
    int e = RenameNoReplaceOnce(dir, from, temp);
    if (e == EEXIST) continue;
    if (e != 0) return e;
    e = RenameNoReplaceOnce(dir, temp, to);
    if (e != 0) ::renameat(dir, temp, dir, from.c_str());  // the old name is free: it was ours
    return e;
  }
  return EEXIST;
}

}  // namespace

bool IsValidFileName(std::string_view name) {
  if (name.empty() || name == "." || name == ".." || name.size() > NAME_MAX) return false;
  return name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  auto ascii = [](std::string_view s) {
    for (char c : s)
      if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
  };
  if (!ascii(a) || !ascii(b)) return Utf8ToLower(a) == Utf8ToLower(b);
  if (a.size() != b.size()) return false;
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

std::string RenameErrorReasonText(const CFileError& error) {
  const char* reason = RenameErrorText(error.reason);
  if (*reason == 0 && error.systemError != 0) return SystemErrorMessage(error.systemError);
  return FileErrorReasonText(error, reason);
}

bool CRenameTask::Exists(const std::string& name) {
  struct stat st;
  return dir_ && ::fstatat(dir_.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

int CRenameTask::RenameNoReplace(const std::string& from, const std::string& to) {
  if (!dir_) return ENOENT;
  int e = RenameNoReplaceOnce(dir_.get(), from, to);
  if (e == EEXIST && SameEntry(dir_.get(), from, to)) e = RenameCaseOnly(dir_.get(), from, to);
  return e;
}

void CRenameTask::Run() {
  int result = RunScript();
  dir_.reset();
  PostFinished(result);
}

int CRenameTask::RunScript() {
  // Close any preview pass; the indexes the steps reach now stay.
  for (CFileRenameOperation* step : steps) step->EndRun();
  dir_.reset(::open(folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  int flags = 0;
  for (const std::string& name : names) {
    Post(WM_TASK_CURRENTFILE, name);
    if (!Exists(name)) {
      errors.push_back({folder + name, RENAME_ERROR_NOT_FOUND, 0});
      flags |= RENAME_ERRORS;
      continue;
    }
    std::string previous, current;
    bool valid = true;
    while (true) {
      // Errors gathered so far stay reported when the run ends early.
      if (PollStop()) return flags & RENAME_ERRORS;
      current = name;
      for (CFileRenameOperation* step : steps) {
        if (!step->IsEnabled()) continue;
        std::string input = std::move(current);
        current.clear();
        if (!step->Apply(input, folder, current)) return flags | RENAME_SCRIPT_ERROR;
      }
      if (!IsValidFileName(current)) {
        valid = false;
        break;
      }
      if (EqualsIgnoringCase(current, name) || !Exists(current)) break;
      flags |= RENAME_FILES_EXISTED;
      if (EqualsIgnoringCase(current, previous)) return RENAME_NO_NUMBERING | (flags & RENAME_ERRORS);
      previous = current;
    }
    if (!valid) {
      errors.push_back({folder + name, RENAME_ERROR_INVALID_NAME, 0});
      flags |= RENAME_ERRORS;
      continue;
    }
    if (current == name) continue;  // nothing to rename
    int e = RenameNoReplace(name, current);
    if (e != 0) {
      std::int32_t reason = ReasonFor(e);
      // Only a failure without a reason of its own carries the system's message.
      errors.push_back({folder + name, reason, reason == RENAME_ERROR_OTHER ? e : 0});
      flags |= RENAME_ERRORS;
      continue;
    }
    renamed.emplace_back(name, current);
  }
  return flags;
}
