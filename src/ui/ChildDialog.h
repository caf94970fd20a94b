#pragma once
// The base of every module page. It owns the page's worker while a task runs (the page is
// "running" exactly then), drains the worker's queue on the GUI thread in batches, and offers the
// pieces every page's start and finish sequences share: the announcements to the main window's
// status line, the file-counting information box, the progress area and the status strip.
//
//   class CLineCounterDlg : public CChildDialog {
//     void OnStart() {
//       AnnounceStarted(); SaveToSettings(); ...; Progress()->Begin(counting, true);
//       auto task = std::make_unique<CLineCountTask>(); task->options = ...;
//       ShowFileCountingInfo();
//       StartTask(std::move(task));
//     }
//     void OnTaskMessage(const TaskMessage& m) override { ... }
//     void OnTaskFinished(std::int64_t code) override { ...; AnnounceFinished(); }
//   };
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "core/TaskQueue.h"
#include "core/WorkerTask.h"

class CSettings;
class CModuleStatusBar;
class CProgressArea;

class CChildDialog : public QWidget {
  Q_OBJECT
 public:
  explicit CChildDialog(CSettings& settings, QWidget* parent = nullptr);
  ~CChildDialog() override;

  // ---- What the main window calls -------------------------------------------------------------
  virtual void LoadFromSettings() = 0;
  // False, after telling the user, while a task runs.
  virtual bool CanClose();
  virtual void RecalcLayout() {}
  virtual void SetInitialFocus() {}
  virtual void OnModuleCommand(int /*commandId*/) {}
  virtual void SetFolder(const std::string& folder) = 0;
  virtual void SetFilter(const std::string& /*filter*/) {}
  virtual void SaveToSettings() = 0;
  virtual std::string GetModuleName() const = 0;

  bool IsRunning() const { return task_ != nullptr; }
  CWorkerTask* Task() const { return task_.get(); }
  CModuleStatusBar* StatusBar() const { return status_; }
  CProgressArea* Progress() const { return progress_; }
  CSettings& Settings() const { return settings_; }

  static inline const char* const kCannotClose = "Cannot close Quorvel while a task is running.";
  static const char* const kFileCountingText;

 signals:
  // The status strip's link was clicked: the main window opens the module's help topic.
  void helpRequested();
  // The worker's WM_TASK_FINISHED has been handled (the page is idle again).
  void taskFinished();

 protected:
  void AnnounceStarted();
  void AnnounceFinished();
  // The information box about file counting, when counting is on and the box not switched off.
  void ShowFileCountingInfo();
  // Takes the worker over, connects its queue to this page and starts it.
  void StartTask(std::unique_ptr<CWorkerTask> task);
  // The start button of a running page: stop the worker and wait for its thread. The page stays
  // running until the worker's WM_TASK_FINISHED has been handled.
  void CancelTask();

  // One message of the worker, in posting order, on the GUI thread (cookie already checked).
  virtual void OnTaskMessage(const TaskMessage& message) = 0;
  // After each batch of messages (insert queued rows here).
  virtual void EndBatch() {}
  // WM_TASK_FINISHED, after the worker has been deleted.
  virtual void OnTaskFinished(std::int64_t code) = 0;

  CSettings& settings_;
  CProgressArea* progress_;
  CModuleStatusBar* status_;

 private:
  void ScheduleDrain();
  void Drain();

  std::unique_ptr<CWorkerTask> task_;
  std::shared_ptr<CTaskQueue> queue_;
  std::deque<TaskMessage> pending_;
  QTimer drainTimer_;
  QElapsedTimer sinceDrain_;
};
