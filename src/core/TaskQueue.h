#pragma once
// The ordered, one-way queue that carries a worker's messages to its consumer. The worker posts
// from its thread; the consumer drains on its own thread, either by waiting (qv, tests) or when
// the wake callback tells it that the queue has become non-empty (the GUI, through a queued call).
//
//   auto queue = std::make_shared<CTaskQueue>();
//   task.SetQueue(queue);
//   task.Start();
//   for (bool done = false; !done;)
//     for (auto& m : queue->WaitAndTakeAll()) done |= m.id == WM_TASK_FINISHED;
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "TaskMessage.h"

class CTaskQueue {
 public:
  void Post(TaskMessage message);

  // Everything queued so far, in posting order; empty when nothing is waiting.
  std::vector<TaskMessage> TakeAll();
  // Waits until at least one message is queued or the timeout passes, then takes all.
  std::vector<TaskMessage> WaitAndTakeAll(std::chrono::milliseconds timeout = std::chrono::hours(24));

  // Called on the posting thread each time a message lands in an empty queue. Keep it cheap and
  // thread-safe (the GUI posts a queued call to the page).
  void SetWakeCallback(std::function<void()> wake);

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<TaskMessage> messages_;
  std::function<void()> wake_;
};
