#pragma once
// The live progress line on standard error: files done of the counted total (a spinner when
// counting is off), the current file and the current large file's percentage. Shown only when
// standard error is a terminal and -q is not given; redrawn at most ten times a second.
//
//   CProgressLine progress(!quiet, root);
//   progress.Handle(message);   // for every task message
//   progress.Clear();           // before printing anything else on standard error
#include <chrono>
#include <cstdint>
#include <string>

#include "core/TaskMessage.h"

namespace qv::cli {

class CProgressLine {
 public:
  CProgressLine(bool wanted, std::string root);
  ~CProgressLine() { Clear(); }

  void Handle(const TaskMessage& m);
  // Removes the line from the terminal (before rows or messages are printed there).
  void Clear();
  bool Enabled() const { return enabled_; }

 private:
  void Draw(bool force);

  bool enabled_;
  std::string root_;
  std::int64_t total_ = 0, done_ = 0, fileSize_ = 0, filePos_ = 0;
  std::string current_;
  bool shown_ = false;
  int spin_ = 0;
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace qv::cli
