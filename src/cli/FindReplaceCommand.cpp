// qv find / qv replace: the Find and Find And Replace modules on the command line.
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
#include "findreplace/FindAndReplaceTask.h"

namespace qv::cli {
namespace {

struct FindReplaceArgs {
  FindAndReplaceOptions task;
  std::string folder;
  std::string filter = "*";
  bool noDosStarDotStar = false;
  bool noKeepBackups = false;
  bool sparse = false;
  bool noCounting = false;
  bool json = false;
  bool quiet = false;
};

// The closing texts the module page shows for a result code (codes 0 and 1 show none).
const char* ResultMessage(int code) {
  switch (code) {
    case CFindAndReplaceTask::kInvalidFilter: return kInvalidFilterMessage;
    case CFindAndReplaceTask::kInvalidRegex:
      return "The regular expression used for the \"Find Text\" is invalid.\nEither enter a correct regular "
             "expression or disable the option \"Find Text is a regular expression\".";
    case CFindAndReplaceTask::kOutOfMemory: return kOutOfMemoryMessage;
    default: return nullptr;
  }
}

int RunFindReplace(FindReplaceArgs& a, bool replace) {
  FindAndReplaceOptions& o = a.task;
  o.replaceMode = replace;
  o.rootFolder = qv::StripTrailingSeparator(a.folder);
  o.filterText = NormalizeFilterText(a.filter, o.useRegexFilters);
  o.dosStarDotStar = !a.noDosStarDotStar;
  o.keepBackups = !a.noKeepBackups;
  o.processSparse = replace ? a.sparse : true;
  o.disableCounting = a.noCounting;
  if (replace && !o.backupFolder.empty() && o.backupFolder != "." && o.backupFolder.back() != '/' &&
      o.backupFolder.back() != '\\')
    o.backupFolder.push_back('/');
  if (o.backupFolder.empty()) o.backupFolder = ".";

  struct stat st;
  if (::stat(o.rootFolder.empty() ? "/" : o.rootFolder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    std::fprintf(stderr, "qv %s: the folder \"%s\" does not exist or is not a folder.\n", replace ? "replace" : "find",
                 a.folder.c_str());
    return kUsageError;
  }

  CFindAndReplaceTask task;
  task.options = o;
  CProgressLine progress(!a.quiet, o.rootFolder);
  RowFormat format = a.json ? RowFormat::Json : replace ? RowFormat::CountAndMessage : RowFormat::RowText;
  CRowPrinter printer(format, o.rootFolder);
  int code = RunPrintingRows(task, progress, printer).code;
  if (const char* msg = ResultMessage(code)) std::fprintf(stderr, "%s\n", msg);
  std::fprintf(stderr, "Found %i files.\n", printer.Printed());
  return code;
}

void AddCommonOptions(CLI::App* cmd, FindReplaceArgs& a) {
  cmd->add_option("-t,--text", a.task.findText, "The text to find (escapes \\n \\t \\\\ ... in plain mode)");
  cmd->add_flag("-e,--regex", a.task.regex, "The find text is a Perl regular expression");
  cmd->add_flag("-c,--match-case", a.task.matchCase, "Letter case must match");
  cmd->add_option("-f,--filter", a.filter, "File filter, e.g. \"*.cpp;*.h;/moc_*\" (default *)");
  cmd->add_flag("-r,--recursive", a.task.recursive, "Include subfolders");
  cmd->add_flag("--regex-filters", a.task.useRegexFilters, "The filter is a list of regular expressions");
  cmd->add_flag("--no-dos-star-dot-star", a.noDosStarDotStar, "\"*.*\" matches only names with a dot");
  cmd->add_flag("--no-counting", a.noCounting, "Do not count the files first (no total in the progress)");
  cmd->add_flag("--json", a.json, "One JSON object per row (keys row, path, count, error, message)");
  cmd->add_flag("-q,--quiet", a.quiet, "No progress line");
  cmd->add_option("FOLDER", a.folder, "The folder to search")->required();
}

void SetupFindReplace(CLI::App& qv) {
  auto find = std::make_shared<FindReplaceArgs>();
  auto* f = qv.add_subcommand("find", "List the files whose names pass the filter and that contain a text");
  AddCommonOptions(f, *find);
  f->footer("Prints one row per file found (./sub/a.txt). Exit status: 0 done; 1 some file could not be read "
            "or the search was cancelled; 2 invalid filter; 4 invalid regular expression; 8 out of memory.");
  f->callback([find] { SetExitStatus(RunFindReplace(*find, false)); });

  auto rep = std::make_shared<FindReplaceArgs>();
  auto* r = qv.add_subcommand("replace", "Replace a text in the files that pass the filter, keeping backups");
  AddCommonOptions(r, *rep);
  r->get_option("--text")->required();
  r->add_option("--with", rep->task.replaceText, "The replacement (always literal; escapes expanded)")->required();
  r->add_option("--backup-folder", rep->task.backupFolder,
                "Where backups go: . (next to each file, the default), /abs/folder/ or ./relative/folder/");
  r->add_flag("--no-keep-backups", rep->noKeepBackups, "Delete each backup once its file is rewritten");
  r->add_flag("--sparse", rep->sparse, "Also rewrite sparse files (skipped by default)");
  r->footer("Prints ROW<TAB>COUNT<TAB>MESSAGE per file; error rows as they come. Every file that passes the filter "
            "is rewritten, with a backup made first and restored on any failure or on Ctrl-C.\nExit status: 0 "
            "done; 1 some file failed or the run was cancelled; 2 invalid filter; 4 invalid regular expression; "
            "8 out of memory.");
  r->callback([rep] { SetExitStatus(RunFindReplace(*rep, true)); });
}

}  // namespace

QV_REGISTER_COMMAND(10, SetupFindReplace);

}  // namespace qv::cli
