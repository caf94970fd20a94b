#include "RunQv.h"

#include <algorithm>
#include <cerrno>
#include <sstream>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

QvResult RunQv(const std::vector<std::string>& args, const std::string& stdinText, const std::vector<std::string>& env) {
  int in[2], out[2], err[2];
  if (::pipe2(in, O_CLOEXEC) || ::pipe2(out, O_CLOEXEC) || ::pipe2(err, O_CLOEXEC)) return {};
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_adddup2(&fa, in[0], 0);
  posix_spawn_file_actions_adddup2(&fa, out[1], 1);
  posix_spawn_file_actions_adddup2(&fa, err[1], 2);
  std::vector<std::string> all{QV_BINARY};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStore;
  for (char** e = environ; *e; ++e) envStore.emplace_back(*e);
  envStore.insert(envStore.end(), env.begin(), env.end());
  std::vector<char*> envp;
  for (auto& e : envStore) envp.push_back(e.data());
  envp.push_back(nullptr);
  pid_t pid;
  int rc = posix_spawn(&pid, QV_BINARY, &fa, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&fa);
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  QvResult r;
  if (rc != 0) {
    ::close(in[1]);
    ::close(out[0]);
    ::close(err[0]);
    return r;
  }
  // Feed standard input and read both outputs without blocking on either.
  signal(SIGPIPE, SIG_IGN);
  size_t written = 0;
  if (stdinText.empty()) {
    ::close(in[1]);
    in[1] = -1;
  }
  bool outOpen = true, errOpen = true;
  char buf[65536];
  while (outOpen || errOpen) {
    pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {in[1], POLLOUT, 0}};
    if (!outOpen) fds[0].fd = -1;
    if (!errOpen) fds[1].fd = -1;
    if (::poll(fds, 3, -1) < 0 && errno != EINTR) break;
    if (fds[2].revents & (POLLOUT | POLLERR | POLLHUP)) {
      ssize_t w = ::write(in[1], stdinText.data() + written, stdinText.size() - written);
      if (w > 0) written += static_cast<size_t>(w);
      if (w < 0 || written == stdinText.size()) {
        ::close(in[1]);
        in[1] = -1;
      }
    }
    for (int i = 0; i < 2; ++i) {
      if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
      if (n > 0) (i == 0 ? r.out : r.err).append(buf, static_cast<size_t>(n));
      else (i == 0 ? outOpen : errOpen) = false;
    }
  }
  if (in[1] >= 0) ::close(in[1]);
  ::close(out[0]);
  ::close(err[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return r;
}

std::vector<std::string> SortedLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  std::sort(lines.begin(), lines.end());
  return lines;
}
