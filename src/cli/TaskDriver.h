#pragma once
// Runs a worker to its end from the command line: starts it, drains its queue on this thread in
// batches, hands every message with the right cookie to the consumer, and turns Ctrl-C into the
// task's stop request.
//
//   int code = DriveTask(task, [&](const TaskMessage& m) {
//     progress.Handle(m);
//     if (auto* row = m.row()) printer.Print(*row);
//   });
#include <cstdio>
#include <functional>
#include <string>

#include "Progress.h"
#include "RowPrinter.h"
#include "core/WorkerTask.h"

namespace qv::cli {

// Closing texts that several modules' pages show for their result codes.
inline constexpr const char* kInvalidFilterMessage =
    "The regular expression used for the filter is invalid.\nEither correct the regular expression for the filter, "
    "or disable the \"Use true regular expressions in file-filters\" option in the Quorvel options.";
inline constexpr const char* kOutOfMemoryMessage = "There was an error while allocating memory.";

int DriveTask(CWorkerTask& task, const std::function<void(const TaskMessage&)>& consume);

struct RowRun {
  int code = -1;
  std::string lastStatus;  // the last status text: the statistics or totals line of some modules
};

// Drives the task with its progress line and prints each row as it arrives; without a progress
// line the rows are flushed at once, so a pipe (`qv find ... | head`) sees them while the walk goes on.
RowRun RunPrintingRows(CWorkerTask& task, CProgressLine& progress, CRowPrinter& printer);

}  // namespace qv::cli
