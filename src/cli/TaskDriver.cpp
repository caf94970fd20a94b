#include "TaskDriver.h"

#include <thread>

#include "Interrupt.h"

namespace qv::cli {

int DriveTask(CWorkerTask& task, const std::function<void(const TaskMessage&)>& consume) {
  InterruptGuard guard;
  auto queue = std::make_shared<CTaskQueue>();
  task.SetQueue(queue);
  if (!task.Start()) return 1;
  bool stopAsked = false;
  int code = -1;
  while (code < 0) {
    auto batch = queue->WaitAndTakeAll(std::chrono::milliseconds(100));
    for (auto& m : batch) {
      if (m.cookie != TASK_MESSAGE_COOKIE) continue;
      consume(m);
      if (m.id == WM_TASK_FINISHED) code = static_cast<int>(m.number());
    }
    if (!stopAsked && InterruptRequested()) {
      task.SignalStop();
      stopAsked = true;
    }
    // Let messages gather: one wake-up per batch instead of one per message.
    if (code < 0 && batch.size() < 64) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  task.StopAndWait();
  std::fflush(stdout);
  return code;
}

RowRun RunPrintingRows(CWorkerTask& task, CProgressLine& progress, CRowPrinter& printer) {
  RowRun run;
  run.code = DriveTask(task, [&](const TaskMessage& m) {
    progress.Handle(m);
    if (auto* row = m.row()) {
      progress.Clear();
      printer.Print(*row);
      if (!progress.Enabled()) printer.Flush();
    } else if (m.id == WM_TASK_STATUS && m.text()) {
      run.lastStatus = *m.text();
    }
  });
  progress.Clear();
  return run;
}

}  // namespace qv::cli
