#pragma once
// The touch run: applies the chosen times, read-only attribute and compression to every selected
// file and, when asked, to the matching files inside the selected folders (all levels down).
// Failed files are collected in Errors(); the finished code is a TouchResult.
//
//   CTouchTask task(options);           // options checked with CheckTouchOptions
//   task.SetQueue(queue);
//   task.Start();
//   ... drain until WM_TASK_FINISHED ...
//   for (const CFileError& e : task.Errors()) show(e.path, TouchErrorText(e.reason));
#include <vector>

#include "TouchOptions.h"
#include "core/FileError.h"
#include "core/FileFilter.h"
#include "core/WorkerTask.h"

// The code of WM_TASK_FINISHED.
enum TouchResult : int {
  TOUCH_OK = 0,              // every file was touched, or the run was cancelled
  TOUCH_FAILED = 1,          // at least one file failed: see Errors()
  TOUCH_INVALID_FILTER = 2,  // the subfolder filter does not compile; nothing was touched
};

class CTouchTask : public CWorkerTask {
 public:
  explicit CTouchTask(CTouchOptions options);
  ~CTouchTask() override;

  // The failed files in the order they failed; read it after WM_TASK_FINISHED.
  const std::vector<CFileError>& Errors() const { return errors_; }

 protected:
  void Run() override;

 private:
  int TouchAll();
  int Walk(const std::string& folder);
  int TouchFile(const std::string& path, bool fromWalk);
  void AddError(const std::string& path, std::int32_t reason, int systemError);

  CTouchOptions options_;
  CFileFilter filter_;
  std::vector<CFileError> errors_;
};
