#include "app/CrashHandler.h"

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Everything the handler needs is prepared at install time: inside a signal handler only plain
// system calls are safe.
char g_title[256];
char g_folder[1024];
char g_note[1024];
std::function<std::string()>* g_settingsText = nullptr;
volatile sig_atomic_t g_inHandler = 0;

void WriteStr(int fd, const char* s) {
  size_t n = std::strlen(s);
  while (n > 0) {
    ssize_t w = ::write(fd, s, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return;
    s += w;
    n -= static_cast<size_t>(w);
  }
}

void WriteNumber(int fd, long v) {
  char buf[32];
  int i = sizeof buf - 1;
  buf[i] = 0;
  bool neg = v < 0;
  unsigned long u = neg ? static_cast<unsigned long>(-v) : static_cast<unsigned long>(v);
  do {
    buf[--i] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u && i > 1);
  if (neg) buf[--i] = '-';
  WriteStr(fd, buf + i);
}

// Creates <folder>/quorvel-crash-<pid>-<n>.txt exclusively; nobody can plant a link there.
int CreateReport(char* path, size_t size) {
  for (int n = 0; n < 100; ++n) {
    int len = std::snprintf(path, size, "%s/quorvel-crash-%ld-%d.txt", g_folder, static_cast<long>(::getpid()), n);
    if (len <= 0 || static_cast<size_t>(len) >= size) return -1;
    int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void Handler(int sig) {
  if (g_inHandler) _exit(128 + sig);
  g_inHandler = 1;
  CCrashHandler::WriteReport(sig);
  ::signal(sig, SIG_DFL);
  ::raise(sig);
}

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::string(v) : fallback;
}

}  // namespace

std::string CCrashHandler::TempFolder() {
  std::string t = EnvOr("TMPDIR", "/tmp");
  while (t.size() > 1 && t.back() == '/') t.pop_back();
  return t;
}

std::string CCrashHandler::NotePath() {
  const std::string home = EnvOr("HOME", "/tmp");
  return EnvOr("XDG_CACHE_HOME", home + "/.cache") + "/quorvel/last-crash";
}

void CCrashHandler::Install(const std::string& version, std::function<std::string()> settingsText) {
  std::snprintf(g_title, sizeof g_title, "Quorvel %s Crash Report", version.c_str());
  std::snprintf(g_folder, sizeof g_folder, "%s", TempFolder().c_str());
  const std::string note = NotePath();
  std::snprintf(g_note, sizeof g_note, "%s", note.c_str());
  const std::string dir = note.substr(0, note.rfind('/'));
  ::mkdir(dir.substr(0, dir.rfind('/')).c_str(), 0700);  // $XDG_CACHE_HOME may not exist yet
  ::mkdir(dir.c_str(), 0700);
  delete g_settingsText;
  g_settingsText = new std::function<std::string()>(std::move(settingsText));
  // Touch the backtrace machinery once now: its first use may load a library.
  void* frames[4];
  (void)backtrace(frames, 4);

  struct sigaction sa {};
  sa.sa_handler = Handler;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESETHAND | SA_NODEFER;
  for (int sig : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT}) ::sigaction(sig, &sa, nullptr);
}

std::string CCrashHandler::WriteReport(int sig) {
  char path[1200];
  int fd = CreateReport(path, sizeof path);
  if (fd < 0) return {};
  WriteStr(fd, g_title[0] ? g_title : "Quorvel Crash Report");
  WriteStr(fd, "\n\nSignal: ");
  WriteNumber(fd, sig);
  WriteStr(fd, " (");
  WriteStr(fd, sigabbrev_np(sig) ? sigabbrev_np(sig) : "?");
  WriteStr(fd, ")\nProcess: ");
  WriteNumber(fd, static_cast<long>(::getpid()));
  WriteStr(fd, "\n\nBacktrace:\n");
  void* frames[128];
  int n = backtrace(frames, 128);
  backtrace_symbols_fd(frames, n, fd);
  ::fsync(fd);

  // Leave the note before the riskier part below.
  int note = ::open(g_note, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (note >= 0) {
    WriteStr(note, path);
    ::close(note);
  }
  // The settings export allocates; a damaged heap may end the process here, after the backtrace
  // is already on disk.
  if (g_settingsText && *g_settingsText) {
    WriteStr(fd, "\n\nQuorvel Settings (QuorvelSettings.ini):\n");
    std::string text = (*g_settingsText)();
    WriteStr(fd, text.c_str());
  }
  ::close(fd);
  return path;
}

std::string CCrashHandler::TakeLastReport() {
  const std::string note = NotePath();
  FILE* f = std::fopen(note.c_str(), "re");
  if (!f) return {};
  char buf[1200] = {0};
  size_t n = std::fread(buf, 1, sizeof buf - 1, f);
  std::fclose(f);
  ::unlink(note.c_str());
  std::string path(buf, n);
  struct stat st {};
  if (path.empty() || ::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid()) return {};
  return path;
}
