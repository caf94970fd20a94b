#pragma once
// Runs a worker to its end from the command line: starts it, drains its queue on this thread in
// batches, hands every message with the right cookie to the consumer, and turns Ctrl-C into the
// task's stop request.
//
//   int code = DriveTask(task, [&](const TaskMessage& m) {
//     progress.Handle(m);
//     if (auto* row = m.row()) printer.Print(*row);
//   });
#include <functional>

#include "core/WorkerTask.h"

namespace qv::cli {

int DriveTask(CWorkerTask& task, const std::function<void(const TaskMessage&)>& consume);

}  // namespace qv::cli
