#include "WorkerTask.h"

#include <chrono>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

CWorkerTask::CWorkerTask(int priority) : priority_(priority) {}

CWorkerTask::~CWorkerTask() { StopAndWait(); }

bool CWorkerTask::IsRunning(int timeoutMs) {
  std::unique_lock lock(lock_);
  if (!running_) return false;
  return !ended_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !running_; });
}

bool CWorkerTask::Start() {
  if (IsRunning(50)) return true;
  std::lock_guard lock(lock_);
  if (thread_.joinable()) thread_.join();  // the thread of a previous run has ended
  stop_ = false;
  cancelled_ = false;
  running_ = true;
  try {
    thread_ = std::thread(&CWorkerTask::ThreadMain, this);
  } catch (const std::system_error&) {
    running_ = false;
    return false;
  }
  return true;
}

bool CWorkerTask::SignalStop() {
  if (!IsRunning(50)) return true;
  stop_ = true;
  return true;
}

bool CWorkerTask::StopAndWait() {
  if (IsRunning(50)) {
    stop_ = true;
    std::this_thread::yield();
  }
  std::thread t;
  {
    std::lock_guard lock(lock_);
    t = std::move(thread_);
  }
  if (t.joinable()) t.join();
  return true;
}

void CWorkerTask::Post(std::uint32_t id, TaskMessage::Payload payload) {
  if (queue_) queue_->Post(TaskMessage{id, TASK_MESSAGE_COOKIE, std::move(payload)});
}

void CWorkerTask::ThreadMain() {
  if (priority_ < 0) {
    // Lower this thread only (Linux priorities are per thread): the desktop stays responsive
    // while a long task runs.
    pid_t tid = static_cast<pid_t>(::syscall(SYS_gettid));
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(tid), -priority_ * 5);
  }
  Run();
  std::lock_guard lock(lock_);
  running_ = false;
  ended_.notify_all();
}
