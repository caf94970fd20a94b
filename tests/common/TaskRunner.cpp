#include "TaskRunner.h"

#include <memory>

#include "core/TaskQueue.h"

std::vector<CTaskResultRow> TaskLog::Rows() const {
  std::vector<CTaskResultRow> rows;
  for (auto& m : messages)
    if (auto* r = m.row()) rows.push_back(*r);
  return rows;
}

std::vector<std::string> TaskLog::Texts(std::uint32_t id) const {
  std::vector<std::string> out;
  for (auto& m : messages)
    if (m.id == id && m.text()) out.push_back(*m.text());
  return out;
}

int TaskLog::Count(std::uint32_t id) const {
  int n = 0;
  for (auto& m : messages) n += m.id == id;
  return n;
}

TaskLog RunTask(CWorkerTask& task) {
  auto queue = std::make_shared<CTaskQueue>();
  task.SetQueue(queue);
  TaskLog log;
  task.Start();
  bool done = false;
  while (!done) {
    for (auto& m : queue->WaitAndTakeAll(std::chrono::milliseconds(200))) {
      if (m.id == WM_TASK_FINISHED) {
        done = true;
        log.result = m.number();
      }
      log.messages.push_back(std::move(m));
    }
  }
  task.StopAndWait();
  return log;
}
