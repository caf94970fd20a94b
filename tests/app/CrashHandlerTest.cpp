#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "app/CrashHandler.h"
#include "common/TempDir.h"

// A crash in a child process leaves a private report with the backtrace and the settings, and the
// next start finds it once.
TEST(CrashHandler, ReportIsWrittenPrivatelyAndFoundOnce) {
  TempDir dir;
  setenv("TMPDIR", dir.path().c_str(), 1);
  setenv("XDG_CACHE_HOME", (dir / "cache").c_str(), 1);
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    CCrashHandler::Install("9.9", [] { return std::string("[General]\nFindFolder=/x\n"); });
    raise(SIGSEGV);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGSEGV);

  const std::string report = CCrashHandler::TakeLastReport();
  ASSERT_FALSE(report.empty());
  EXPECT_EQ(report.rfind(dir.path(), 0), 0u);
  struct stat st {};
  ASSERT_EQ(stat(report.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  const std::string text = ReadFile(report);
  EXPECT_NE(text.find("Quorvel 9.9 Crash Report"), std::string::npos);
  EXPECT_NE(text.find("SEGV"), std::string::npos);
  EXPECT_NE(text.find("Backtrace:"), std::string::npos);
  EXPECT_NE(text.find("FindFolder=/x"), std::string::npos);
  EXPECT_TRUE(CCrashHandler::TakeLastReport().empty());
  unsetenv("TMPDIR");
  unsetenv("XDG_CACHE_HOME");
}
