// qv afr: the Advanced Find And Replace module on the command line. Runs a .fafrs script over
// the files of a folder, or once over standard input (the clipboard mode), or shows a script.
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "Command.h"
#include "Progress.h"
#include "RowPrinter.h"
#include "TaskDriver.h"
#include "afr/AdvFindAndReplaceTask.h"
#include "afr/AfrClipboard.h"
#include "afr/AfrIfCondRegExFind.h"
#include "afr/AfrScript.h"
#include "core/DirReader.h"
#include "core/FileFilter.h"
#include "core/Sys.h"

namespace qv::cli {
namespace {

struct AfrArgs {
  std::string script;
  std::string show;
  std::string folder;
  std::string filter = "*";
  std::string backupFolder = ".";
  bool recursive = false;
  bool regexFilters = false;
  bool noDosStarDotStar = false;
  bool noKeepBackups = false;
  bool sparse = false;
  bool noCounting = false;
  bool useStdin = false;
  bool json = false;
  bool quiet = false;
};

// Standard input in, standard output out: the clipboard of a pipeline. An empty input holds no
// text, as an empty clipboard does.
class CStdioClipboard : public IAfrClipboard {
 public:
  bool HasText() override {
    if (!ReadAll()) return true;  // GetText reports the failure
    return !text_.empty();
  }
  bool Open() override { return true; }
  bool GetText(std::string& text) override {
    if (!ReadAll()) return false;
    text = text_;
    return true;
  }
  bool SetText(const std::string& text) override {
    return qv::sys::writeAll(STDOUT_FILENO, text.data(), text.size());
  }
  void Close() override {}

 private:
  bool ReadAll() {
    if (state_ == kUnread) {
      state_ = kFailed;
      char buf[65536];
      while (true) {
        ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        text_.append(buf, static_cast<size_t>(n));
      }
      state_ = kRead;
    }
    return state_ == kRead;
  }

  enum { kUnread, kRead, kFailed } state_ = kUnread;
  std::string text_;
};

// Loads the script; prints every load message on standard error. False when the script cannot
// be run as the file meant it (not loaded completely, or holding an expression that does not compile).
bool LoadScript(CAfrScript& script, const std::string& path) {
  bool regexOk = true;
  AfrLoadResult r = script.Load(path, [&](CAfrIfCondRegExFind& cond) {
    std::fprintf(stderr, "%s\n", InvalidRegexText(cond.RegularExpression()).c_str());
    regexOk = false;
  });
  if (!r.ok()) std::fprintf(stderr, "%s\n", r.message.c_str());
  return r.ok() && regexOk;
}

int ShowScript(const AfrArgs& a) {
  CAfrScript script;
  bool ok = LoadScript(script, a.show);
  for (const auto& line : script.GetLines()) std::printf("%s\n", line.c_str());
  return ok ? 0 : 1;
}

int RunAfr(AfrArgs& a) {
  if (!a.show.empty()) return ShowScript(a);
  if (a.script.empty()) {
    std::fprintf(stderr, "qv afr: --script FILE.fafrs is required.\n");
    return kUsageError;
  }
  if (a.useStdin == !a.folder.empty()) {
    std::fprintf(stderr, "qv afr: give either a FOLDER or --stdin.\n");
    return kUsageError;
  }
  CAfrScript script;
  if (!LoadScript(script, a.script)) return kUsageError;

  AfrTaskOptions o;
  o.onClipboard = a.useStdin;
  o.rootFolder = qv::StripTrailingSeparator(a.folder);
  o.useRegexFilters = a.regexFilters;
  o.filter = NormalizeFilterText(a.filter, o.useRegexFilters);
  o.dosStarDotStar = !a.noDosStarDotStar;
  o.recursive = a.recursive;
  o.keepBackups = !a.noKeepBackups;
  o.backupFolder = a.backupFolder.empty() ? std::string(".") : a.backupFolder;
  if (o.backupFolder != "." && o.backupFolder.back() != '/' && o.backupFolder.back() != '\\')
    o.backupFolder.push_back('/');
  o.processSparse = a.sparse;
  o.countingDisabled = a.noCounting;

  if (!a.useStdin) {
    struct stat st;
    if (::stat(o.rootFolder.empty() ? "/" : o.rootFolder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
      std::fprintf(stderr, "qv afr: the folder \"%s\" does not exist or is not a folder.\n", a.folder.c_str());
      return kUsageError;
    }
  }

  CStdioClipboard clipboard;
  CAdvFindAndReplaceTask task(o, script, &clipboard);
  // The clipboard row has no folder: a root that no path starts with leaves "Clipboard" as it is.
  const std::string root = a.useStdin ? std::string("/\n") : o.rootFolder;
  CProgressLine progress(!a.quiet && !a.useStdin, root);
  CRowPrinter printer(a.json ? RowFormat::Json : RowFormat::CountAndMessage, root, a.useStdin ? stderr : stdout);
  int code = RunPrintingRows(task, progress, printer).code;
  if (code == kAfrResultBadFilter) std::fprintf(stderr, "%s\n", kInvalidFilterMessage);
  if (!a.useStdin) std::fprintf(stderr, "Found %i files.\n", printer.Printed());
  return code;
}

void SetupAfr(CLI::App& qv) {
  auto a = std::make_shared<AfrArgs>();
  auto* cmd = qv.add_subcommand("afr", "Run an Advanced Find And Replace script (.fafrs) over files or standard input");
  cmd->add_option("--script", a->script, "The script file to run");
  cmd->add_option("--show", a->show, "Print the rules of a script file, as the page lists them, and its load errors");
  cmd->add_flag("--stdin", a->useStdin, "Run the script once over standard input and write the result to standard "
                                        "output (the clipboard mode; the row goes to standard error)");
  cmd->add_option("-f,--filter", a->filter, "File filter, e.g. \"*.txt;/*.bak\" (default *)");
  cmd->add_flag("-r,--recursive", a->recursive, "Include subfolders");
  cmd->add_option("--backup-folder", a->backupFolder,
                  "Where backups go: . (next to each file, the default), /abs/folder/ or ./relative/folder/");
  cmd->add_flag("--no-keep-backups", a->noKeepBackups, "Delete each backup once its file is rewritten");
  cmd->add_flag("--sparse", a->sparse, "Also rewrite sparse files (skipped by default)");
  cmd->add_flag("--regex-filters", a->regexFilters, "The filter is a list of regular expressions");
  cmd->add_flag("--no-dos-star-dot-star", a->noDosStarDotStar, "\"*.*\" matches only names with a dot");
  cmd->add_flag("--no-counting", a->noCounting, "Do not count the files first (no total in the progress)");
  cmd->add_flag("--json", a->json, "One JSON object per row (keys row, path, count, error, message)");
  cmd->add_flag("-q,--quiet", a->quiet, "No progress line");
  cmd->add_option("FOLDER", a->folder, "The folder whose files the script rewrites");
  cmd->footer(
      "Prints ROW<TAB>COUNT<TAB>MESSAGE per file (COUNT: the changes the rules made). Every file that passes the "
      "filter is rewritten, with a backup made first and restored on any failure.\nExit status: 0 done; 1 some "
      "text failed or the run was cancelled; 2 invalid filter; 255 usage error or a script that cannot be loaded. "
      "--show exits with 1 when the script has load errors.");
  cmd->callback([a] { SetExitStatus(RunAfr(*a)); });
}

}  // namespace

QV_REGISTER_COMMAND(20, SetupAfr);

}  // namespace qv::cli
