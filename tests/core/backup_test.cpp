#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/TempDir.h"
#include "core/Backup.h"
#include "core/Sys.h"

namespace {

class SysGuard {
 public:
  SysGuard() : saved_(qv::sys::ops()) {}
  ~SysGuard() { qv::sys::ops() = saved_; }

 private:
  qv::sys::Ops saved_;
};

TEST(Backup, NamesInTheThreeFolderForms) {
  TempDir dir;
  std::string file = dir.Write("d/a.txt", "x");
  // Next to the file, then numbered.
  EXPECT_EQ(MakeBackupPath(file, "."), file + ".backup");
  dir.Write("d/a.txt.backup", "");
  EXPECT_EQ(MakeBackupPath(file, "."), file + ".1.backup");
  dir.Write("d/a.txt.1.backup", "");
  EXPECT_EQ(MakeBackupPath(file, "."), file + ".2.backup");
  // An absolute folder, created when missing (one level).
  std::string bak = dir / "bak/";
  EXPECT_EQ(MakeBackupPath(file, bak), bak + "a.txt.backup");
  EXPECT_TRUE(dir.Exists("bak"));
  // A folder relative to the file's folder.
  EXPECT_EQ(MakeBackupPath(file, "./old/"), dir / "d/old/a.txt.backup");
  EXPECT_TRUE(dir.Exists("d/old"));
}

TEST(Backup, CopyKeepsBytesAndPermissionsAndTakesTheNextFreeName) {
  TempDir dir;
  std::string file = dir.Write("a.sh", std::string("#!/bin/sh\0\xff", 12), 0751);
  dir.Write("a.sh.backup", "older backup");
  BackupCopy b = MakeBackupCopy(file, ".");
  ASSERT_TRUE(b.ok);
  EXPECT_EQ(b.path, file + ".1.backup");
  EXPECT_EQ(ReadFile(b.path), std::string("#!/bin/sh\0\xff", 12));
  EXPECT_EQ(dir.Read("a.sh.backup"), "older backup");
  struct stat st;
  ASSERT_EQ(::stat(b.path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0751u);
}

TEST(Backup, NameTakenBetweenTheCheckAndTheCreateMovesOn) {
  TempDir dir;
  std::string file = dir.Write("a.txt", "data");
  SysGuard guard;
  static std::string planted;
  planted = file + ".backup";
  // Another program creates the chosen name just before our exclusive create.
  qv::sys::ops().open = [](const char* p, int flags, mode_t mode) {
    if ((flags & O_EXCL) && planted == p) {
      int fd = ::open(p, O_WRONLY | O_CREAT, 0644);
      (void)!::write(fd, "theirs", 6);
      ::close(fd);
      planted.clear();
    }
    return ::open(p, flags, mode);
  };
  BackupCopy b = MakeBackupCopy(file, ".");
  ASSERT_TRUE(b.ok);
  EXPECT_EQ(b.path, file + ".1.backup");
  EXPECT_EQ(dir.Read("a.txt.backup"), "theirs");
  EXPECT_EQ(dir.Read("a.txt.1.backup"), "data");
}

TEST(Backup, FailedCopyLeavesNoPartialBackup) {
  TempDir dir;
  std::string file = dir.Write("a.txt", std::string(100000, 'q'));
  SysGuard guard;
  qv::sys::ops().copy_file_range = [](int, off_t*, int, off_t*, size_t) -> ssize_t {
    errno = ENOSPC;
    return -1;
  };
  BackupCopy b = MakeBackupCopy(file, ".");
  EXPECT_FALSE(b.ok);
  EXPECT_EQ(b.error, ENOSPC);
  EXPECT_FALSE(dir.Exists("a.txt.backup"));
}

TEST(Backup, RestoreRenamesOrCopiesBackAcrossFileSystems) {
  TempDir dir;
  std::string file = dir.Write("a.txt", "half-writ");
  std::string backup = dir.Write("a.txt.backup", "original contents");
  std::string msg = "Error while writing to file: x";
  EXPECT_TRUE(RestoreOriginal(file, backup, msg));
  EXPECT_EQ(msg, "Error while writing to file: x Original file has been restored.");
  EXPECT_EQ(dir.Read("a.txt"), "original contents");
  EXPECT_FALSE(dir.Exists("a.txt.backup"));

  // A backup folder on another file system: rename fails with EXDEV, the bytes are copied back.
  dir.Write("a.txt", "");
  backup = dir.Write("a.txt.backup", "second original");
  SysGuard guard;
  qv::sys::ops().rename = [](const char*, const char*) {
    errno = EXDEV;
    return -1;
  };
  msg.clear();
  EXPECT_TRUE(RestoreOriginal(file, backup, msg));
  EXPECT_EQ(dir.Read("a.txt"), "second original");
  EXPECT_FALSE(dir.Exists("a.txt.backup"));
}

TEST(Backup, FailedRestoreKeepsTheBackupAndSaysWhere) {
  TempDir dir;
  std::string file = dir.Write("a.txt", "");
  std::string backup = dir.Write("a.txt.backup", "precious");
  SysGuard guard;
  qv::sys::ops().rename = [](const char*, const char*) {
    errno = EACCES;
    return -1;
  };
  std::string msg;
  EXPECT_FALSE(RestoreOriginal(file, backup, msg));
  EXPECT_EQ(dir.Read("a.txt.backup"), "precious");
  EXPECT_NE(msg.find(backup), std::string::npos) << msg;
}

}  // namespace
