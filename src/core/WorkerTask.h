#pragma once
// The base of every module worker: one thread at a lowered priority, a stop flag that the worker
// polls without waiting, and the queue it posts its messages to.
//
//   class CMyTask : public CWorkerTask {
//    public:
//     ~CMyTask() override { StopAndWait(); }   // before the derived part goes away
//    protected:
//     void Run() override { ...; PostFinished(0); }
//   };
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "TaskQueue.h"

inline constexpr int THREAD_PRIORITY_LOWEST = -2;

class CWorkerTask {
 public:
  explicit CWorkerTask(int priority = THREAD_PRIORITY_LOWEST);
  CWorkerTask(const CWorkerTask&) = delete;
  CWorkerTask& operator=(const CWorkerTask&) = delete;
  // Derived classes call StopAndWait() in their own destructor: Run() must not outlive them.
  virtual ~CWorkerTask();

  void SetQueue(std::shared_ptr<CTaskQueue> queue) { queue_ = std::move(queue); }
  const std::shared_ptr<CTaskQueue>& Queue() const { return queue_; }

  // Starts Run() on a new thread; true when a thread runs (also when one already ran).
  bool Start();
  // True when the thread is still running after waiting up to timeoutMs for it to end.
  bool IsRunning(int timeoutMs = 50);
  // Asks the worker to stop; does not wait.
  bool SignalStop();
  // Asks the worker to stop and waits for its thread to end.
  bool StopAndWait();

  // Runs Run() on the calling thread (tests and tools that need no second thread).
  void RunHere() { Run(); }

 protected:
  virtual void Run() = 0;

  // Reads and clears the stop flag in one step. The first poll that sees it sets cancelled_.
  bool PollStop() {
    if (stop_.exchange(false)) cancelled_ = true;
    return cancelled_;
  }
  bool IsCancelled() const { return cancelled_; }

  void Post(std::uint32_t id, TaskMessage::Payload payload = {});
  void PostFinished(std::int64_t code) { Post(WM_TASK_FINISHED, code); }
  void PostStatus(std::string text) { Post(WM_TASK_STATUS, std::move(text)); }
  void PostRow(CTaskResultRow row) { Post(WM_TASK_ADDROW, std::move(row)); }

  bool cancelled_ = false;

 private:
  void ThreadMain();

  int priority_;
  std::shared_ptr<CTaskQueue> queue_;
  std::atomic<bool> stop_{false};

  std::mutex lock_;  // guards thread_ and running_
  std::condition_variable ended_;
  std::thread thread_;
  bool running_ = false;
};
