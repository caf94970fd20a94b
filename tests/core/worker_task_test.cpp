#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "common/TaskRunner.h"
#include "core/TaskQueue.h"
#include "core/WorkerTask.h"

namespace {

// Posts numbered steps until asked to stop, polling like a walk does.
class CountingTask : public CWorkerTask {
 public:
  ~CountingTask() override { StopAndWait(); }
  std::atomic<bool> started{false};
  int limit = 1000000;

 protected:
  void Run() override {
    started = true;
    int i = 0;
    for (; i < limit; ++i) {
      if (PollStop()) break;
      Post(WM_TASK_STEP, i);
      if (limit > 1000) std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    PostFinished(IsCancelled() ? 1 : 0);
  }
};

TEST(WorkerTask, MessagesArriveInOrderAndFinishedIsLast) {
  CountingTask t;
  t.limit = 500;
  TaskLog log = RunTask(t);
  ASSERT_EQ(log.messages.size(), 501u);
  for (int i = 0; i < 500; ++i) EXPECT_EQ(log.messages[i].number(), i);
  EXPECT_EQ(log.messages.back().id, WM_TASK_FINISHED);
  EXPECT_EQ(log.result, 0);
  EXPECT_FALSE(t.IsRunning(0));
}

TEST(WorkerTask, StopIsSeenOnceAndEndsTheRun) {
  CountingTask t;
  auto q = std::make_shared<CTaskQueue>();
  t.SetQueue(q);
  ASSERT_TRUE(t.Start());
  while (!t.started) std::this_thread::yield();
  EXPECT_TRUE(t.SignalStop());
  EXPECT_TRUE(t.StopAndWait());
  auto all = q->TakeAll();
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(all.back().id, WM_TASK_FINISHED);
  EXPECT_EQ(all.back().number(), 1);
  // A stopped task can run again from the start.
  t.limit = 3;
  TaskLog again = RunTask(t);
  EXPECT_EQ(again.result, 0);
  EXPECT_EQ(again.messages.size(), 4u);
}

TEST(WorkerTask, StopOnIdleTaskSucceedsAtOnce) {
  CountingTask t;
  EXPECT_FALSE(t.IsRunning(0));
  EXPECT_TRUE(t.SignalStop());
  EXPECT_TRUE(t.StopAndWait());
}

TEST(TaskQueue, WakeCallbackFiresWhenTheQueueBecomesNonEmpty) {
  CTaskQueue q;
  int wakes = 0;
  q.SetWakeCallback([&] { ++wakes; });
  q.Post({WM_TASK_STEP, TASK_MESSAGE_COOKIE, {}});
  q.Post({WM_TASK_STEP, TASK_MESSAGE_COOKIE, {}});
  EXPECT_EQ(wakes, 1);
  EXPECT_EQ(q.TakeAll().size(), 2u);
  q.Post({WM_TASK_STEP, TASK_MESSAGE_COOKIE, {}});
  EXPECT_EQ(wakes, 2);
}

TEST(TaskMessage, CarriesTheCookieAndTypedPayloads) {
  TaskMessage m{WM_TASK_ADDROW, TASK_MESSAGE_COOKIE, CTaskResultRow{3, 1, "/p", "msg"}};
  EXPECT_EQ(TASK_MESSAGE_COOKIE, 2925035464u);
  ASSERT_NE(m.row(), nullptr);
  EXPECT_EQ(m.row()->count, 3);
  EXPECT_EQ(m.text(), nullptr);
  EXPECT_EQ(m.number(), 0);
  TaskMessage rec{WM_TASK_FOLDERROW, TASK_MESSAGE_COOKIE, std::any(42)};
  ASSERT_NE(rec.record<int>(), nullptr);
  EXPECT_EQ(*rec.record<int>(), 42);
  EXPECT_EQ(rec.record<double>(), nullptr);
}

}  // namespace
