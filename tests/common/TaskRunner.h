#pragma once
// Runs a worker to its end and collects what it posted, as a page would see it.
//
//   CFindAndReplaceTask task; ...
//   TaskLog log = RunTask(task);
//   EXPECT_EQ(log.result, 0);
//   EXPECT_EQ(log.Rows().size(), 2u);
#include <string>
#include <vector>

#include "core/TaskMessage.h"
#include "core/WorkerTask.h"

struct TaskLog {
  std::vector<TaskMessage> messages;  // everything, in posting order, FINISHED last
  long long result = -1;              // the code of WM_TASK_FINISHED

  std::vector<CTaskResultRow> Rows() const;
  std::vector<std::string> Texts(std::uint32_t id) const;  // payload texts of one message kind
  int Count(std::uint32_t id) const;
};

// Starts the task on its thread, drains its queue until WM_TASK_FINISHED and joins the thread.
TaskLog RunTask(CWorkerTask& task);
