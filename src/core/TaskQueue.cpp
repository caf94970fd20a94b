#include "TaskQueue.h"

void CTaskQueue::Post(TaskMessage message) {
  std::function<void()> wake;
  {
    std::lock_guard lock(mutex_);
    bool wasEmpty = messages_.empty();
    messages_.push_back(std::move(message));
    if (wasEmpty) wake = wake_;
  }
  ready_.notify_one();
  if (wake) wake();
}

std::vector<TaskMessage> CTaskQueue::TakeAll() {
  std::lock_guard lock(mutex_);
  std::vector<TaskMessage> out(std::make_move_iterator(messages_.begin()),
                               std::make_move_iterator(messages_.end()));
  messages_.clear();
  return out;
}

std::vector<TaskMessage> CTaskQueue::WaitAndTakeAll(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  ready_.wait_for(lock, timeout, [this] { return !messages_.empty(); });
  std::vector<TaskMessage> out(std::make_move_iterator(messages_.begin()),
                               std::make_move_iterator(messages_.end()));
  messages_.clear();
  return out;
}

void CTaskQueue::SetWakeCallback(std::function<void()> wake) {
  std::lock_guard lock(mutex_);
  wake_ = std::move(wake);
}
