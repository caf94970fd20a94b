#pragma once
// Turns the positions an action reports while it walks a text into file progress messages:
// a position is passed on only when it is more than 131071 bytes past the last one passed on,
// so a large text gives a few hundred messages and a small one none.
//
//   CAfrProgress progress([&](size_t pos) { Post(WM_TASK_FILEPOS, pos); });
//   progress.Report(offset);
#include <cstddef>
#include <functional>

class CAfrProgress {
 public:
  using Sink = std::function<void(size_t)>;
  explicit CAfrProgress(Sink sink = {}) : sink_(std::move(sink)) {}

  void Report(size_t pos) {
    if (pos < last_) {
      last_ = 0;  // a new text (or the next rule) starts again from its beginning
    } else if (pos - last_ > kStep) {
      last_ = pos;
      if (sink_) sink_(pos);
    }
  }

 private:
  static constexpr size_t kStep = 131071;
  Sink sink_;
  size_t last_ = 0;
};
