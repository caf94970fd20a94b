#pragma once
// The worker of the Find and Find And Replace modules: walks a folder tree, picks the files that
// pass the filter and finds (or replaces) a text in their bytes, posting rows and progress to its
// queue. In replace mode each file is backed up first and restored if anything goes wrong.
//
//   CFindAndReplaceTask task;
//   task.options.rootFolder = "/src";
//   task.options.findText = "TODO";
//   task.SetQueue(queue);
//   task.Start();      // ... drain the queue until WM_TASK_FINISHED
#include <memory>
#include <string>
#include <unordered_set>

#include "FindAndReplaceOptions.h"
#include "FindMatcher.h"
#include "core/FileFilter.h"
#include "core/WorkerTask.h"

class CFindAndReplaceTask : public CWorkerTask {
 public:
  // Result codes of WM_TASK_FINISHED.
  enum : int { kDone = 0, kSomeFailed = 1, kInvalidFilter = 2, kInvalidRegex = 4, kOutOfMemory = 8 };

  // Files of at least this size get progress messages while they are scanned.
  static constexpr std::int64_t kLargeFile = 524288;
  static constexpr std::int64_t kChunk = 262144;
  static constexpr std::int64_t kOutputStep = 131072;
  static constexpr std::int64_t kProgressStep = 131072;
  static constexpr std::int64_t kRegexOverlap = 1024;

  ~CFindAndReplaceTask() override;

  FindAndReplaceOptions options;

  // Backups the last run made and kept (full paths); the walk passes over these files.
  const std::unordered_set<std::string>& BackupsMade() const { return backupsMade_; }

 protected:
  void Run() override;

 private:
  struct Scan;
  int Count(int parentFd, const char* name);
  bool Walk(int parentFd, const char* name, const std::string& folder);
  bool ProcessFind(int dirFd, const char* name, const std::string& path);
  bool ProcessReplace(const std::string& path);
  void PostCurrentFile(const std::string& path) { Post(WM_TASK_CURRENTFILE, path); }

  CFileFilter filter_;
  CFindMatcher matcher_;
  std::string find_, replace_;
  std::int64_t lmin_ = 1, lovl_ = 1, bufSize_ = kChunk;
  // One buffer per run with a byte in front of the data, so a chunk can look one byte back.
  std::unique_ptr<char, void (*)(void*)> buffer_{nullptr, nullptr};
  std::unordered_set<std::string> backupsMade_;
};
