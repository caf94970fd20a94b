#pragma once
// A rename run: applies the script to the named files of one folder and renames them on disk. A
// new name that exists already makes the run apply the script again (its Format steps have
// counted on) until a free name comes out; a rename never replaces an existing file.
//
//   CRenameTask task;
//   task.folder = "/photos/";                  // ends in "/"
//   task.steps = {&formatStep};                 // the caller keeps owning the steps
//   task.names = {"a.jpg", "b.jpg"};
//   TaskLog log = RunTask(task);                // posts WM_TASK_CURRENTFILE per name, then FINISHED
//   if (log.result & RENAME_ERRORS) show(task.errors);
#include <string>
#include <utility>
#include <vector>

#include "core/FileError.h"
#include "core/UniqueFd.h"
#include "core/WorkerTask.h"
#include "renamer/FileRenameOperation.h"

// The result flags of a run (WM_TASK_FINISHED); 0 when every file was renamed.
enum RenameResultFlag : int {
  RENAME_FILES_EXISTED = 1,  // a new name existed and the numbering was advanced past it
  RENAME_ERRORS = 2,         // some file was missing or could not be renamed: see errors
  RENAME_SCRIPT_ERROR = 4,   // a step failed; the run stopped there
  RENAME_NO_NUMBERING = 8,   // no free name could be made, the script does not number; stopped there
};

class CRenameTask : public CWorkerTask {
 public:
  CRenameTask() = default;
  ~CRenameTask() override { StopAndWait(); }

  // Set before Start():
  std::string folder;                        // the files' folder, ending in "/"
  std::vector<CFileRenameOperation*> steps;  // in script order; Format steps' indexes advance
  std::vector<std::string> names;            // bare names, in the order they are renamed

  // Read after WM_TASK_FINISHED:
  std::vector<CFileError> errors;                          // one per failed file, in run order
  std::vector<std::pair<std::string, std::string>> renamed;  // (old name, new name) per file renamed

 protected:
  void Run() override;
  int RunScript();

  // The file-system calls of a run, on names inside the folder; tests override them to make the
  // world change between them. Whether anything (file, folder, link) has this name.
  virtual bool Exists(const std::string& name);
  // Renames without ever replacing an existing entry; 0 or the errno of the failure.
  virtual int RenameNoReplace(const std::string& from, const std::string& to);

 private:
  // The folder, opened once so that each call looks up one name instead of a whole path.
  UniqueFd dir_;
};

// True for a text that can name an entry of the folder: not empty, not "." or "..", no "/" or
// NUL byte, at most 255 bytes.
bool IsValidFileName(std::string_view name);

// Letter case ignored (UTF-8 letters included): the test that a new name is the old one.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The text of the "Reason" column for an error of a rename run.
std::string RenameErrorReasonText(const CFileError& error);
