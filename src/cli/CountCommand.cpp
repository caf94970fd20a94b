// qv count: the File Line Counter on the command line.
#include <cstdio>
#include <memory>
#include <string>
#include <sys/stat.h>

#include "Command.h"
#include "Progress.h"
#include "RowPrinter.h"
#include "TaskDriver.h"
#include "core/DirReader.h"
#include "core/FileFilter.h"
#include "linecounter/LineCountTask.h"

namespace qv::cli {
namespace {

struct CountArgs {
  CLineCountOptions task;
  std::string filter = "*";
  bool noDosStarDotStar = false;
  bool json = false;
  bool quiet = false;
  std::string folder;
};

int RunCount(CountArgs& a) {
  CLineCountOptions& o = a.task;
  o.folder = qv::StripTrailingSeparator(a.folder);
  o.filter = NormalizeFilterText(a.filter, o.useRegex);
  o.dosStarDotStar = !a.noDosStarDotStar;
  struct stat st;
  if (::stat(o.folder.empty() ? "/" : o.folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    std::fprintf(stderr, "qv count: the folder \"%s\" does not exist or is not a folder.\n", a.folder.c_str());
    return kUsageError;
  }

  CLineCountTask task(o);
  CProgressLine progress(!a.quiet, o.folder);
  CRowPrinter printer(a.json ? RowFormat::Json : RowFormat::RowAndMessage, o.folder);
  RowRun run = RunPrintingRows(task, progress, printer);
  int code = run.code;
  if (code == LINECOUNT_INVALID_FILTER)
    std::fprintf(stderr, "%s\n", kInvalidFilterMessage);
  else if (code == LINECOUNT_OUT_OF_MEMORY)
    std::fprintf(stderr, "%s\n", kOutOfMemoryMessage);
  else
    std::fprintf(stderr, "%s\n", run.lastStatus.c_str());  // the statistics or totals line
  return code;
}

void SetupCount(CLI::App& qv) {
  auto a = std::make_shared<CountArgs>();
  auto* cmd = qv.add_subcommand("count", "Count the lines of the files in a folder");
  cmd->add_flag("-r,--recursive", a->task.recursive, "Include subfolders");
  cmd->add_option("-f,--filter", a->filter, "File filter, e.g. \"*.cpp;*.h\" (default *)");
  cmd->add_flag("--no-counting", a->task.noCounting, "Do not count the files first (no total in the progress)");
  cmd->add_flag("--regex-filters", a->task.useRegex, "The filter is a list of regular expressions");
  cmd->add_flag("--no-dos-star-dot-star", a->noDosStarDotStar, "\"*.*\" matches only names with a dot");
  cmd->add_flag("--json", a->json, "One JSON object per file (keys row, path, count = lines, error, message)");
  cmd->add_flag("-q,--quiet", a->quiet, "No progress line");
  cmd->add_option("FOLDER", a->folder, "The folder whose files are counted")->required();
  cmd->footer("Prints ROW<TAB>LINES per file (\"3 (+1 empty line)\" when the file ends with a line feed); the "
              "totals line goes to standard error.\nExit status: 0 done; 1 cancelled; 2 invalid filter; 4 out of "
              "memory.");
  cmd->callback([a] { SetExitStatus(RunCount(*a)); });
}

}  // namespace

QV_REGISTER_COMMAND(80, SetupCount);

}  // namespace qv::cli
