#pragma once
// Counts the lines of every matching file: the number of line feeds plus one, except that a line
// feed at the very end ends the last line ("2 (+1 empty line)"). Posts one row per file (its
// `count` is the number of lines), file progress for files of at least 256 KiB, and the totals
// line "Counted %s lines in %s files." at the end.
//
//   CLineCountTask task(options);
//   TaskLog log = RunTask(task);     // rows: {count 2, path "/src/a.c", message "2 (+1 empty line)"}
#include <cstdint>
#include <memory>
#include <string>

#include "LineCountOptions.h"
#include "core/FileFilter.h"
#include "core/WorkerTask.h"

// The code of WM_TASK_FINISHED.
enum LineCountResult : int {
  LINECOUNT_DONE = 0,
  LINECOUNT_CANCELLED = 1,
  LINECOUNT_INVALID_FILTER = 2,
  LINECOUNT_OUT_OF_MEMORY = 4,  // the buffer could not be allocated
};

inline constexpr std::size_t kLineCountBlockSize = 262144;

class CLineCountTask : public CWorkerTask {
 public:
  explicit CLineCountTask(CLineCountOptions options);
  ~CLineCountTask() override;

  std::uint64_t TotalLines() const { return totalLines_; }
  std::uint32_t Files() const { return files_; }

 protected:
  void Run() override;

 private:
  struct FreeDeleter {
    void operator()(void* p) const;
  };
  void CountFiles(class CDirReader& dir, std::uint32_t& count);
  void Walk(class CDirReader& dir, const std::string& path);
  void CountFile(int dirFd, const char* name, const std::string& path);

  CLineCountOptions options_;
  CFileFilter filter_;
  std::unique_ptr<char, FreeDeleter> buffer_;
  std::uint64_t totalLines_ = 0;
  std::uint32_t files_ = 0;
};

// The "Number of lines" text of a counted file: "1,234", or "1,234 (+1 empty line)" when the
// file ends with a line feed.
std::string LineCountText(std::uint64_t lines, bool endsWithLineFeed);
// "Counted %s lines in %s files."
std::string LineCountTotalsText(std::uint64_t lines, std::uint32_t files);
