#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "common/TempDir.h"

extern char** environ;

namespace {

// Ctrl-C during a rewrite: the file being rewritten is restored and listed as cancelled.
TEST(QvInterrupt, CtrlCRestoresTheFileBeingRewritten) {
  TempDir dir;
  const std::string body(256 << 20, 'a');
  std::string path = dir.Write("big.txt", body);
  std::string outPath = dir / "out.txt";
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> args{QV_BINARY, "replace", "-t", "a", "--with", "bb", "-f", "big.txt", dir.path()};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid;
  ASSERT_EQ(posix_spawn(&pid, QV_BINARY, &fa, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&fa);
  // Wait until the rewrite has begun: the original is shorter than it was or already longer.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  bool rewriting = false;
  while (!rewriting && std::chrono::steady_clock::now() < deadline) {
    struct stat st{};
    if (::stat((path + ".backup").c_str(), &st) == 0 && st.st_size == static_cast<off_t>(body.size()) &&
        ::stat(path.c_str(), &st) == 0 && st.st_size != static_cast<off_t>(body.size()))
      rewriting = true;
    else
      std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  ASSERT_TRUE(rewriting);
  ::kill(pid, SIGINT);
  ::kill(pid, SIGINT);  // a second Ctrl-C must not cut the restore short
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(dir.Read("out.txt"), "./big.txt\t0\tCancelled - File has not been changed.\n");
  EXPECT_TRUE(dir.Read("big.txt") == body);
  EXPECT_FALSE(dir.Exists("big.txt.backup"));
}

}  // namespace
