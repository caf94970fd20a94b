#pragma once
// Backups of files that a module rewrites in place: the backup is a full copy made before the
// file is touched; a failed or cancelled rewrite puts it back.
//
//   BackupCopy b = MakeBackupCopy("/d/a.txt", ".");     // creates /d/a.txt.backup
//   if (!b.ok) fail("Couldn't create backup file: \"" + b.path + "\"");
//   ... truncate and rewrite /d/a.txt ...
//   if (failed) RestoreOriginal("/d/a.txt", b.path, message);
#include <string>

// The backup name for `filePath`: "<base>.backup", or "<base>.<i>.backup" with the first free
// number. `backupFolder` is "." (next to the file), a folder ending in "/" or "\", or such a
// folder starting with "." (relative to the file's folder). Creates the backup folder (one
// level) when it is missing.
std::string MakeBackupPath(const std::string& filePath, const std::string& backupFolder);

struct BackupCopy {
  bool ok = false;
  std::string path;  // the backup path chosen, also when the copy failed
  int error = 0;     // errno of the failure
};

// Copies `filePath` to a new backup file created exclusively, with the original's permission
// bits, owner (where allowed) and times. When the chosen name appears meanwhile, the next
// number is taken.
BackupCopy MakeBackupCopy(const std::string& filePath, const std::string& backupFolder);

// Puts the backup back over an original that was truncated or partly rewritten: renames it over
// the original, or copies it back when the two lie on different file systems. On success appends
// " Original file has been restored." to `message`; when the restore fails the backup stays where
// it is and `message` says so and where it is. Returns whether the original was restored.
bool RestoreOriginal(const std::string& filePath, const std::string& backupPath, std::string& message);

// Copies all bytes from one descriptor to another from their current positions (copy_file_range,
// falling back to read and write). False with errno set on failure.
bool CopyFileContents(int from, int to);
