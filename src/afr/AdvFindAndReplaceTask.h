#pragma once
// The worker that runs an AFR script over every selected file of a folder tree, or once over
// the clipboard text. Each file is backed up, loaded whole, passed through the first action of
// every enabled rule in script order, and written back over the original; a failure after the
// original was truncated puts the backup back.
//
//   AfrTaskOptions o;
//   o.rootFolder = "/data";  o.filter = "*.txt";  o.recursive = true;
//   CAdvFindAndReplaceTask task(o, script);          // the script must outlive the task
//   task.SetQueue(queue);  task.Start();             // rows, progress, then WM_TASK_FINISHED
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "afr/AfrClipboard.h"
#include "afr/AfrProgress.h"
#include "afr/AfrScript.h"
#include "core/FileFilter.h"
#include "core/WorkerTask.h"

struct AfrTaskOptions {
  std::string rootFolder;       // without a trailing separator
  std::string filter = "*";     // as normalized by NormalizeFilterText
  bool useRegexFilters = false; // UseTrueRegexpFilters
  bool dosStarDotStar = true;   // UseDOSStarDotStarBehaviour
  bool recursive = false;       // AFRRecursively
  bool onClipboard = false;     // AFRRunReplaceScriptOnClipboard
  bool keepBackups = false;     // AFRKeepBackupFiles
  std::string backupFolder = ".";  // BackupFolder: "." or a folder ending in "/"
  bool processSparse = false;   // ReplaceInSparseFiles
  bool countingDisabled = false;  // DisableFileCounting
};

// Result codes of WM_TASK_FINISHED.
inline constexpr int kAfrResultOk = 0;
inline constexpr int kAfrResultMessages = 1;  // a text produced a message, or the run was cancelled
inline constexpr int kAfrResultBadFilter = 2;

class CAdvFindAndReplaceTask : public CWorkerTask {
 public:
  // The rules are used in place, not copied: the script must not change while the task runs.
  // `clipboard` is needed only in clipboard mode.
  CAdvFindAndReplaceTask(AfrTaskOptions options, CAfrScript& script, IAfrClipboard* clipboard = nullptr);
  ~CAdvFindAndReplaceTask() override { StopAndWait(); }

 protected:
  void Run() override;

 private:
  int Count(const std::string& folder);
  bool Walk(const std::string& folder);
  bool ProcessFile(const std::string& path);
  bool ProcessClipboard();
  // Runs the enabled rules over `text`; on success `result` holds the final text, unless no rule
  // ran (ranRules false: the text is unchanged). `dropInput` frees the text once the first rule
  // has made its copy. `where` is the status suffix (".<relative path>" or "Clipboard").
  bool ApplyScript(std::string_view text, const std::function<void()>& dropInput, std::string& result,
                   bool& ranRules, const std::string& where, long long& total, std::string& message);
  void PostRowAndStep(const std::string& path, long long count, const std::string& message);

  AfrTaskOptions options_;
  CAfrScript& script_;
  IAfrClipboard* clipboard_;
  CFileFilter filter_;
  std::unordered_set<std::string> backupsMade_;
  CAfrProgress progress_;
};
