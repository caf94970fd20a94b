#pragma once
// Compares files byte by byte in blocks of 256 KiB. Posts "Comparing "%s" with "%s"" before each
// file, a row for each file that differs (or for every file with showIdentical), file progress
// for files of at least one block, and the statistics line at the end.
//
//   CCompareTask task(options);
//   TaskLog log = RunTask(task);        // tests; the CLI and the page drain the queue
//   log.result == COMPARE_IDENTICAL;    // every compared file was identical
#include <cstdint>
#include <memory>
#include <string>

#include "CompareOptions.h"
#include "core/FileFilter.h"
#include "core/WorkerTask.h"

// The code of WM_TASK_FINISHED.
enum CompareResult : int {
  COMPARE_IDENTICAL = 0,       // all compared files were identical (or there were none)
  COMPARE_DIFFERENT = 1,       // at least one was different, missing, unreadable, or the run was cancelled
  COMPARE_INVALID_FILTER = 2,
  COMPARE_OUT_OF_MEMORY = 4,   // the buffers could not be allocated
};

inline constexpr std::size_t kCompareBlockSize = 262144;

class CCompareTask : public CWorkerTask {
 public:
  explicit CCompareTask(CCompareOptions options);
  ~CCompareTask() override;

  std::uint64_t BytesCompared() const { return bytesCompared_; }
  std::uint32_t FilesCompared() const { return filesCompared_; }
  std::uint32_t FilesDifferent() const { return filesDifferent_; }

 protected:
  void Run() override;

 private:
  struct FreeDeleter {
    void operator()(void* p) const;
  };
  bool WalkFolder(class CDirReader& dir1, const std::string& path1, int dir2Fd, const std::string& path2);
  bool CompareFiles(int dir1Fd, const char* name1, const std::string& path1, int dir2Fd, const char* name2,
                    const std::string& path2, bool fromWalk);
  void CountFiles(class CDirReader& dir, std::uint32_t& count);

  CCompareOptions options_;
  CFileFilter filter_;
  std::unique_ptr<char, FreeDeleter> buffer1_, buffer2_;
  std::uint64_t bytesCompared_ = 0;
  std::uint32_t filesCompared_ = 0;
  std::uint32_t filesDifferent_ = 0;
};

// "Compared %s files (%s [%s bytes]) with an average speed of %s. %s files were different."
// A run shorter than a second has its speed computed as for one second.
std::string CompareStatisticsText(std::uint32_t filesCompared, std::uint64_t bytesCompared,
                                  std::int64_t elapsedSeconds, std::uint32_t filesDifferent);
