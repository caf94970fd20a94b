// qv rename: the File Renamer on the command line. Runs a saved rename script over files of one
// folder, previews it (--dry-run) or lists its steps (--show).
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

#include "Command.h"
#include "Interrupt.h"
#include "Json.h"
#include "Progress.h"
#include "TaskDriver.h"
#include "core/UniqueFd.h"
#include "renamer/RenameMessages.h"
#include "renamer/RenamePreview.h"
#include "renamer/RenameScriptFile.h"
#include "renamer/RenameTask.h"

namespace qv::cli {
namespace {

// Set when --save-indexes could not write the script file back.
constexpr int kScriptNotSaved = 16;
// The exit status of a run stopped by Ctrl-C (128 + SIGINT).
constexpr int kInterrupted = 130;

struct RenameArgs {
  std::string script;
  std::string show;
  std::vector<std::string> files;
  std::string filesFrom;
  bool dryRun = false;
  bool json = false;
  bool saveIndexes = false;
  bool quiet = false;
};

// One FILE argument: the folder text as the user wrote it ("photos/", or "" for a bare name) and
// the bare name.
struct FileArg {
  std::string prefix;
  std::string name;
};

FileArg SplitArg(std::string arg) {
  while (arg.size() > 1 && arg.back() == '/') arg.pop_back();
  size_t slash = arg.rfind('/');
  if (slash == std::string::npos) return {"", arg};
  return {arg.substr(0, slash + 1), arg.substr(slash + 1)};
}

// The real path of a folder text, for comparing and for the run; empty when it does not resolve.
std::string RealFolder(const std::string& prefix) {
  char buf[PATH_MAX];
  if (!::realpath(prefix.empty() ? "." : prefix.c_str(), buf)) return {};
  return buf;
}

void PrintPair(const RenameArgs& a, const std::string& prefix, const std::string& oldName, const std::string& newName) {
  if (a.json)
    std::printf("{\"old\":%s,\"new\":%s}\n", JsonString(prefix + oldName).c_str(), JsonString(prefix + newName).c_str());
  else
    std::printf("%s%s\t%s%s\n", prefix.c_str(), oldName.c_str(), prefix.c_str(), newName.c_str());
}

bool LoadScript(const std::string& path, RenameScript& script) {
  RenameScriptLoadResult r = LoadRenameScript(path, script);
  if (!r.ok()) {
    // A partly read script is never run.
    std::fprintf(stderr, "qv rename: %s\n", r.message.c_str());
    return false;
  }
  return true;
}

int ShowScript(const RenameArgs& a) {
  RenameScript script;
  if (!LoadScript(a.show, script)) return kUsageError;
  int n = 0;
  for (auto& step : script) {
    ++n;
    if (a.json)
      std::printf("{\"step\":%d,\"class\":%s,\"enabled\":%s,\"description\":%s}\n", n, JsonString(step->ClassName()).c_str(),
                  step->IsEnabled() ? "true" : "false", JsonString(step->GetDescription()).c_str());
    else
      std::printf("[%c] %s\n", step->IsEnabled() ? 'x' : ' ', step->GetDescription().c_str());
  }
  return 0;
}

void PrintErrors(const RenameArgs& a, const std::vector<CFileError>& errors) {
  if (errors.empty()) return;
  if (!a.json) std::fprintf(stderr, "%s\n%s\n", kRenameErrorHeading, kRenameErrorSubheading);
  for (const CFileError& e : errors) {
    std::string reason = RenameErrorReasonText(e);
    if (a.json)
      std::printf("{\"path\":%s,\"error\":true,\"reason\":%d,\"message\":%s}\n", JsonString(e.path).c_str(), e.reason,
                  JsonString(reason).c_str());
    else
      std::fprintf(stderr, "%s\t%s\n", e.path.c_str(), reason.c_str());
  }
}

// Adds the paths listed in `from` (one per line; "-" for standard input) to `files`.
bool ReadFileList(const std::string& from, std::vector<std::string>& files) {
  std::FILE* f = from == "-" ? stdin : std::fopen(from.c_str(), "rb");
  if (!f) return false;
  char* line = nullptr;
  size_t cap = 0;
  ssize_t n;
  while ((n = ::getline(&line, &cap, f)) >= 0) {
    std::string path(line, static_cast<size_t>(n));
    if (!path.empty() && path.back() == '\n') path.pop_back();
    if (!path.empty()) files.push_back(std::move(path));
  }
  bool ok = !std::ferror(f);
  std::free(line);
  if (f != stdin) std::fclose(f);
  return ok;
}

int RunRename(RenameArgs& a) {
  if (!a.show.empty()) {
    if (!a.script.empty() || !a.files.empty()) {
      std::fprintf(stderr, "qv rename: --show takes only the script file.\n");
      return kUsageError;
    }
    return ShowScript(a);
  }
  if (!a.filesFrom.empty() && !ReadFileList(a.filesFrom, a.files)) {
    std::fprintf(stderr, "qv rename: cannot read the file list \"%s\".\n", a.filesFrom.c_str());
    return kUsageError;
  }
  if (a.script.empty() || a.files.empty()) {
    std::fprintf(stderr, "qv rename: give --script FILE.frs and the files to rename (or --show FILE.frs).\n");
    return kUsageError;
  }

  // All files must lie in one folder: the run renames names inside one folder.
  std::vector<FileArg> args;
  std::string folder, prefix, lastPrefix, lastReal;
  args.reserve(a.files.size());
  for (const std::string& f : a.files) {
    FileArg fa = SplitArg(f);
    if (fa.name.empty() || fa.name == "." || fa.name == "..") {
      std::fprintf(stderr, "qv rename: \"%s\" does not name a file.\n", f.c_str());
      return kUsageError;
    }
    // Most lists name one folder throughout: resolve each folder text once.
    if (fa.prefix != lastPrefix || lastReal.empty()) {
      lastPrefix = fa.prefix;
      lastReal = RealFolder(fa.prefix);
    }
    const std::string& real = lastReal;
    if (real.empty()) {
      std::fprintf(stderr, "qv rename: the folder of \"%s\" does not exist.\n", f.c_str());
      return kUsageError;
    }
    if (args.empty()) {
      folder = real;
      prefix = fa.prefix;
    } else if (real != folder) {
      std::fprintf(stderr,
                   "qv rename: the files must lie in one folder: \"%s\" is in \"%s\", but \"%s\" is in \"%s\".\n",
                   a.files[0].c_str(), folder.c_str(), f.c_str(), real.c_str());
      return kUsageError;
    }
    args.push_back(std::move(fa));
  }
  if (folder.back() != '/') folder += '/';

  RenameScript script;
  if (!LoadScript(a.script, script)) return kUsageError;
  if (script.empty()) {
    std::fprintf(stderr, "qv rename: the script \"%s\" has no steps.\n", a.script.c_str());
    return kUsageError;
  }
  std::vector<CFileRenameOperation*> steps;
  for (auto& s : script) steps.push_back(s.get());

  if (a.dryRun) {
    // As the preview: only the files that exist, numbering from the script's index each time.
    std::vector<std::string> names;
    names.reserve(args.size());
    int status = 0;
    UniqueFd dir(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    for (const FileArg& fa : args) {
      struct stat st;
      if (dir && ::fstatat(dir.get(), fa.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        names.push_back(fa.name);
      } else {
        std::fprintf(stderr, "qv rename: \"%s%s\": %s\n", fa.prefix.c_str(), fa.name.c_str(),
                     RenameErrorText(RENAME_ERROR_NOT_FOUND));
        status = RENAME_ERRORS;
      }
    }
    for (auto& [oldName, newName] : PreviewRename(steps, folder, names)) PrintPair(a, prefix, oldName, newName);
    return status;
  }

  CRenameTask task;
  task.folder = folder;
  task.steps = steps;
  for (const FileArg& fa : args) task.names.push_back(fa.name);
  CProgressLine progress(!a.quiet, folder);
  bool totalSent = false;
  int flags = DriveTask(task, [&](const TaskMessage& m) {
    if (!totalSent) {
      progress.Handle(TaskMessage{WM_TASK_TOTAL, TASK_MESSAGE_COOKIE, static_cast<std::int64_t>(task.names.size())});
      totalSent = true;
    }
    progress.Handle(m);
    if (m.id == WM_TASK_CURRENTFILE) progress.Handle(TaskMessage{WM_TASK_STEP, TASK_MESSAGE_COOKIE, {}});
  });
  progress.Clear();

  for (auto& [oldName, newName] : task.renamed) PrintPair(a, prefix, oldName, newName);
  std::fflush(stdout);
  if (flags & RENAME_SCRIPT_ERROR) std::fprintf(stderr, "%s\n", kRenameScriptErrorText);
  if (flags & RENAME_NO_NUMBERING) std::fprintf(stderr, "%s\n", kRenameNoNumberingText);
  PrintErrors(a, task.errors);
  if (flags & RENAME_FILES_EXISTED) std::fprintf(stderr, "%s\n", kRenameFilesExistedText);

  if (a.saveIndexes) {
    std::string message;
    if (!SaveRenameScript(a.script, script, &message)) {
      std::fprintf(stderr, "qv rename: %s\n", message.c_str());
      flags |= kScriptNotSaved;
    }
  }
  if (InterruptRequested()) {
    std::fprintf(stderr, "qv rename: cancelled; the files listed were renamed.\n");
    return kInterrupted;
  }
  return flags;
}

void SetupRename(CLI::App& qv) {
  auto a = std::make_shared<RenameArgs>();
  auto* cmd = qv.add_subcommand("rename", "Rename files of one folder with a rename script (.frs)");
  cmd->add_option("--script", a->script, "The rename script to run (FILE.frs)");
  cmd->add_option("--show", a->show, "Print the steps of a rename script, as the script list shows them");
  cmd->add_flag("-n,--dry-run", a->dryRun, "Print OLD<TAB>NEW for each file without renaming anything");
  cmd->add_flag("--save-indexes", a->saveIndexes,
                "After the run, write the advanced numbering of the Format steps back into the script file");
  cmd->add_flag("--json", a->json, "One JSON object per line: {\"old\",\"new\"} per file, {\"path\",\"error\",...} per error");
  cmd->add_flag("-q,--quiet", a->quiet, "No progress line");
  cmd->add_option("FILE", a->files, "The files (or folders) to rename, all in one folder, in this order");
  cmd->add_option("--files-from", a->filesFrom,
                  "Read more FILEs from this file, one per line (- for standard input), after those given");
  cmd->footer(
      "Prints OLD<TAB>NEW for every file renamed, then on standard error the files that failed and the "
      "run's messages. A rename never replaces an existing file: a numbering script skips names that exist.\n"
      "Exit status: the result flags, added up: 0 all renamed; 1 some new names existed and the numbering "
      "was advanced; 2 some files were missing or could not be renamed; 4 a script step failed (the run "
      "stopped); 8 no free name could be made because the script does not number (the run stopped); 16 the "
      "script file could not be updated (--save-indexes); 130 cancelled with Ctrl-C.");
  cmd->callback([a] { SetExitStatus(RunRename(*a)); });
}

}  // namespace

QV_REGISTER_COMMAND(30, SetupRename);

}  // namespace qv::cli
