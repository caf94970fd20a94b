#pragma once
// Calculates, for each folder of a list, the total size of its files (all levels down) and
// their number, posting one WM_TASK_FOLDERROW (a CFolderSizeRow record) per folder. A folder
// that cannot be listed gets the error marker; an unreadable folder further down only leaves
// out its own contents. No filter applies; a symbolic link counts with its own size (as `du`).
//
//   CFolderSizeTask task({"/data/a", "/data/b"});
//   task.SetQueue(queue);
//   task.Start();
//   // WM_TASK_CURRENTFILE "/data/a", WM_TASK_FOLDERROW {size, count, "/data/a"}, ...,
//   // WM_TASK_FINISHED 0 (1 when cancelled)
#include <string>
#include <vector>

#include "FolderSizeRow.h"
#include "core/DirReader.h"
#include "core/WorkerTask.h"

class CFolderSizeTask : public CWorkerTask {
 public:
  explicit CFolderSizeTask(std::vector<std::string> paths);
  ~CFolderSizeTask() override;

 protected:
  void Run() override;

 private:
  void Walk(CDirReader& dir, std::uint64_t& size, std::int64_t& count);

  std::vector<std::string> paths_;
};
