// Feeds the Find page a million result rows through a worker's real queue, offscreen, and reports
// the time until all are shown, the longest stall of the event loop and the memory per row.
// Goals: under 2 s, no stall over 50 ms, under 64 bytes per row beyond the path text.
//
//   build/bin/qv_bench_gui_rows [rows]
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <malloc.h>

#include "findreplace/FindAndReplaceDlg.h"
#include "settings/Settings.h"
#include "ui/ResultListModel.h"

namespace {

class CRowFloodTask : public CWorkerTask {
 public:
  explicit CRowFloodTask(long rows) : rows_(rows) {}
  ~CRowFloodTask() override { StopAndWait(); }

 protected:
  void Run() override {
    for (long i = 0; i < rows_; ++i) {
      CTaskResultRow row;
      row.path = "/bench/folder" + std::to_string(i % 1000) + "/file" + std::to_string(i) + ".txt";
      PostRow(std::move(row));
      if ((i & 1023) == 0) PostStatus("Searching in: ./folder" + std::to_string(i % 1000));
    }
    PostFinished(0);
  }

 private:
  long rows_;
};

class CBenchPage : public CFindAndReplaceDlg {
 public:
  using CFindAndReplaceDlg::CFindAndReplaceDlg;
  void Feed(long rows) { StartTask(std::make_unique<CRowFloodTask>(rows)); }
};

long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
  char profile[] = "/tmp/qv_bench_XXXXXX";
  const char* dir = mkdtemp(profile);
  CSettings settings(std::string(dir ? dir : "/tmp") + "/Quorvel.ini");
  CBenchPage page(CFindAndReplaceDlg::Mode::Find, settings);
  page.resize(800, 600);
  page.show();
  QApplication::processEvents();

  long pathBytes = 0;
  for (long i = 0; i < rows; ++i)
    pathBytes += static_cast<long>(std::string("./folder" + std::to_string(i % 1000) + "/file" + std::to_string(i) + ".txt").size()) + 1;

  const long before = ResidentBytes();
  QElapsedTimer clock, tick;
  qint64 longestStall = 0;
  QTimer heartbeat;
  heartbeat.setInterval(1);
  QObject::connect(&heartbeat, &QTimer::timeout, [&] {
    longestStall = std::max(longestStall, tick.restart());
  });
  QObject::connect(&page, &CChildDialog::taskFinished, &app, &QApplication::quit);
  clock.start();
  tick.start();
  heartbeat.start();
  page.Feed(rows);
  app.exec();
  const qint64 elapsed = clock.elapsed();
  heartbeat.stop();
  QApplication::processEvents();
  // Count the memory in use, not the heap pages the allocator keeps from the queue's peak.
  malloc_trim(0);
  const long after = ResidentBytes();

  const int shown = page.Results()->rowCount();
  const double perRow = rows ? static_cast<double>(after - before - pathBytes) / static_cast<double>(rows) : 0;
  std::printf("rows shown:        %d of %ld\n", shown, rows);
  std::printf("time until shown:  %lld ms (goal < 2000)\n", static_cast<long long>(elapsed));
  std::printf("longest stall:     %lld ms (goal < 50)\n", static_cast<long long>(longestStall));
  std::printf("memory per row:    %.1f bytes beyond the path text (goal < 64)\n", perRow);
  if (dir) {
    std::remove((std::string(dir) + "/Quorvel.ini").c_str());
    rmdir(dir);
  }
  return shown == rows ? 0 : 1;
}
