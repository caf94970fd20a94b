#include "Progress.h"

#include <cstdio>
#include <sys/ioctl.h>
#include <unistd.h>

#include "core/DirReader.h"

namespace qv::cli {

CProgressLine::CProgressLine(bool wanted, std::string root)
    : enabled_(wanted && ::isatty(STDERR_FILENO)), root_(std::move(root)) {}

void CProgressLine::Handle(const TaskMessage& m) {
  if (!enabled_) return;
  switch (m.id) {
    case WM_TASK_TOTAL: total_ = m.number(); break;
    case WM_TASK_CURRENTFILE:
      if (m.text()) current_ = qv::RelativeRowText(root_, *m.text());
      ++done_;
      fileSize_ = 0;
      break;
    case WM_TASK_STEP: ++done_; break;
    case WM_TASK_FILESIZE: fileSize_ = m.number(); filePos_ = 0; break;
    case WM_TASK_FILEPOS64: filePos_ = m.number(); break;
    case WM_TASK_FINISHED: Clear(); return;
    default: return;
  }
  Draw(false);
}

void CProgressLine::Draw(bool force) {
  auto now = std::chrono::steady_clock::now();
  if (!force && now - last_ < std::chrono::milliseconds(100)) return;
  last_ = now;
  static const char kSpinner[] = "|/-\\";
  std::string line;
  char buf[96];
  if (total_ > 0) {
    std::snprintf(buf, sizeof buf, "[%lld/%lld %3lld%%] ", static_cast<long long>(done_),
                  static_cast<long long>(total_), static_cast<long long>(done_ * 100 / total_));
  } else {
    std::snprintf(buf, sizeof buf, "[%c %lld] ", kSpinner[spin_++ & 3], static_cast<long long>(done_));
  }
  line = buf;
  std::string pct;
  if (fileSize_ > 0) {
    std::snprintf(buf, sizeof buf, " (%lld%%)", static_cast<long long>(filePos_ * 100 / fileSize_));
    pct = buf;
  }
  struct winsize ws {};
  size_t width = (::ioctl(STDERR_FILENO, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0) ? ws.ws_col : 80;
  size_t room = width > line.size() + pct.size() + 1 ? width - line.size() - pct.size() - 1 : 0;
  std::string name = current_;
  if (name.size() > room) name = room > 3 ? "..." + name.substr(name.size() - (room - 3)) : "";
  line += name + pct;
  std::fprintf(stderr, "\r\033[K%s", line.c_str());
  std::fflush(stderr);
  shown_ = true;
}

void CProgressLine::Clear() {
  if (!shown_) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  shown_ = false;
}

}  // namespace qv::cli
