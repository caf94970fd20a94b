// qv compare: the File Comparer on the command line.
#include <cstdio>
#include <memory>
#include <string>
#include <sys/stat.h>

#include "Command.h"
#include "Progress.h"
#include "RowPrinter.h"
#include "TaskDriver.h"
#include "comparer/CompareTask.h"
#include "core/DirReader.h"
#include "core/FileFilter.h"

namespace qv::cli {
namespace {

struct CompareArgs {
  bool recursive = false;
  std::string filter = "*";
  bool showIdentical = false;
  bool noCounting = false;
  bool regexFilters = false;
  bool noDosStarDotStar = false;
  bool twoFiles = false;
  bool json = false;
  bool quiet = false;
  std::string first, second;
};

bool IsKind(const std::string& path, bool folder) {
  struct stat st;
  if (::stat(path.empty() ? "/" : path.c_str(), &st) != 0) return false;
  return folder ? S_ISDIR(st.st_mode) : !S_ISDIR(st.st_mode);
}

// "/a/b.txt" -> ("/a", "b.txt"); "b.txt" -> (".", "b.txt").
void SplitPath(const std::string& path, std::string& folder, std::string& name) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) {
    folder = ".";
    name = path;
  } else {
    folder = slash == 0 ? "/" : path.substr(0, slash);
    name = path.substr(slash + 1);
  }
}

int RunCompare(const CompareArgs& a) {
  CCompareOptions o;
  o.recursive = a.recursive;
  o.showIdentical = a.showIdentical;
  o.noCounting = a.noCounting;
  o.useRegex = a.regexFilters;
  o.dosStarDotStar = !a.noDosStarDotStar;
  o.twoFiles = a.twoFiles;
  if (a.twoFiles) {
    for (const std::string* p : {&a.first, &a.second}) {
      if (!IsKind(*p, false)) {
        std::fprintf(stderr, "qv compare: the file \"%s\" does not exist or is a folder.\n", p->c_str());
        return kUsageError;
      }
    }
    SplitPath(a.first, o.folder1, o.filter1);
    SplitPath(a.second, o.folder2, o.filter2);
  } else {
    for (const std::string* p : {&a.first, &a.second}) {
      if (!IsKind(qv::StripTrailingSeparator(*p), true)) {
        std::fprintf(stderr, "qv compare: the folder \"%s\" does not exist or is not a folder.\n", p->c_str());
        return kUsageError;
      }
    }
    o.folder1 = qv::StripTrailingSeparator(a.first);
    o.folder2 = qv::StripTrailingSeparator(a.second);
    o.filter1 = o.filter2 = NormalizeFilterText(a.filter, o.useRegex);
  }

  CCompareTask task(o);
  CProgressLine progress(!a.quiet, o.folder1);
  CRowPrinter printer(a.json ? RowFormat::Json : RowFormat::RowAndMessage, o.folder1);
  RowRun run = RunPrintingRows(task, progress, printer);
  int code = run.code;
  if (code == COMPARE_INVALID_FILTER)
    std::fprintf(stderr, "%s\n", kInvalidFilterMessage);
  else if (code == COMPARE_OUT_OF_MEMORY)
    std::fprintf(stderr, "%s\n", kOutOfMemoryMessage);
  else
    std::fprintf(stderr, "%s\n", run.lastStatus.c_str());  // the statistics or totals line
  return code;
}

void SetupCompare(CLI::App& qv) {
  auto a = std::make_shared<CompareArgs>();
  auto* cmd = qv.add_subcommand("compare", "Compare two folders' files (or two files) byte by byte");
  cmd->add_flag("-r,--recursive", a->recursive, "Include subfolders");
  cmd->add_option("-f,--filter", a->filter, "Compare only the files of FOLDER1 that match (default *)");
  cmd->add_flag("--show-identical", a->showIdentical, "Also list the files that are identical");
  cmd->add_flag("--no-counting", a->noCounting, "Do not count the files first (no total in the progress)");
  cmd->add_flag("--regex-filters", a->regexFilters, "The filter is a list of regular expressions");
  cmd->add_flag("--no-dos-star-dot-star", a->noDosStarDotStar, "\"*.*\" matches only names with a dot");
  cmd->add_flag("--two-files", a->twoFiles, "Compare FILE1 with FILE2 instead of two folders");
  cmd->add_flag("--json", a->json, "One JSON object per row (keys row, path, count, error, message)");
  cmd->add_flag("-q,--quiet", a->quiet, "No progress line");
  cmd->add_option("FOLDER1", a->first, "The folder whose files are compared (FILE1 with --two-files)")->required();
  cmd->add_option("FOLDER2", a->second, "The folder to compare with (FILE2 with --two-files)")->required();
  cmd->footer("Prints ROW<TAB>TEXT for each file that differs (and each identical one with --show-identical); "
              "files found only in FOLDER2 are not reported. The statistics line goes to standard error.\nExit "
              "status: 0 all compared files identical; 1 some differ, are missing or unreadable, or cancelled; "
              "2 invalid filter; 4 out of memory.");
  cmd->callback([a] { SetExitStatus(RunCompare(*a)); });
}

}  // namespace

QV_REGISTER_COMMAND(70, SetupCompare);

}  // namespace qv::cli
