// qv touch: the File Toucher on the command line.
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "Command.h"
#include "Json.h"
#include "Progress.h"
#include "TaskDriver.h"
#include "core/FileError.h"
#include "core/FileFilter.h"
#include "toucher/TouchTask.h"
#include "toucher/TouchTime.h"

namespace qv::cli {
namespace {

struct TouchArgs {
  std::string modified, accessed;
  bool now = false;
  std::string readOnly, compress;
  std::string subfolderFilter;
  bool regexFilters = false;
  bool noDosStarDotStar = false;
  bool json = false;
  bool quiet = false;
  std::vector<std::string> paths;
};

TouchChoice ChoiceOf(const std::string& word) {
  return word.empty() ? TOUCH_LEAVE : word == "set" ? TOUCH_SET : TOUCH_CLEAR;
}

// Fills `when` from a TIME argument; false (with a message) when it is not a date and time.
bool TakeTime(const char* option, const std::string& text, bool& change, LocalCalendar& when) {
  if (text.empty()) return true;
  if (!ParseLocalTime(text, when)) {
    std::fprintf(stderr, "qv touch: %s \"%s\" is not a date and time of the form YYYY-MM-DD HH:MM:SS.\n", option,
                 text.c_str());
    return false;
  }
  change = true;
  return true;
}

int RunTouch(const TouchArgs& a) {
  CTouchOptions o;
  o.names = a.paths;
  LocalCalendar now;
  ToLocalCalendar(static_cast<std::int64_t>(std::time(nullptr)), now);
  if (a.now) {
    o.changeModified = o.changeAccessed = true;
    o.modified = o.accessed = now;
  }
  if (!TakeTime("--modified", a.modified, o.changeModified, o.modified) ||
      !TakeTime("--accessed", a.accessed, o.changeAccessed, o.accessed))
    return kUsageError;
  o.readOnly = ChoiceOf(a.readOnly);
  o.compression = ChoiceOf(a.compress);
  o.useRegex = a.regexFilters;
  o.dosStarDotStar = !a.noDosStarDotStar;
  if (!a.subfolderFilter.empty()) {
    o.touchSubfolders = true;
    o.subfolderFilter = NormalizeFilterText(a.subfolderFilter, o.useRegex);
  }
  if (std::string why = CheckTouchOptions(o); !why.empty()) {
    std::fprintf(stderr, "qv touch: %s\n", why.c_str());
    return kUsageError;
  }

  CTouchTask task(o);
  CProgressLine progress(!a.quiet, "");
  int code = DriveTask(task, [&](const TaskMessage& m) { progress.Handle(m); });
  progress.Clear();
  if (code == TOUCH_INVALID_FILTER)
    std::fprintf(stderr, "The regular expression used for the \"subfolder files filter\" is invalid.\n");
  if (!task.Errors().empty() && !a.json)
    std::fprintf(stderr, "There was an error while touching the files in the list below.\n");
  for (const CFileError& e : task.Errors()) {
    std::string reason = FileErrorReasonText(e, TouchErrorText(e.reason));
    std::string line;
    if (a.json) {
      CTaskResultRow row{e.reason, 1, e.path, reason};
      line = JsonRow(row, e.path);
    } else {
      line = e.path + "\t" + reason;
    }
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
  return code;
}

void SetupTouch(CLI::App& qv) {
  auto a = std::make_shared<TouchArgs>();
  auto* cmd = qv.add_subcommand("touch", "Change the times and attributes of files");
  cmd->add_option("--modified", a->modified, "New modification time, local: \"YYYY-MM-DD HH:MM:SS\"");
  cmd->add_option("--accessed", a->accessed, "New access time, local: \"YYYY-MM-DD HH:MM:SS\"");
  cmd->add_flag("--now", a->now, "Set the modification and access times to now (unless given above)");
  cmd->add_option("--read-only", a->readOnly, "set: clear all write permission bits; clear: give the owner write")
      ->check(CLI::IsMember({"set", "clear"}));
  cmd->add_option("--compress", a->compress, "set or clear the file system's compression (btrfs, f2fs)")
      ->check(CLI::IsMember({"set", "clear"}));
  cmd->add_option("--subfolders", a->subfolderFilter,
                  "Also touch the files that match FILTER inside the given folders, all levels down");
  cmd->add_flag("--regex-filters", a->regexFilters, "The filter is a list of regular expressions");
  cmd->add_flag("--no-dos-star-dot-star", a->noDosStarDotStar, "\"*.*\" matches only names with a dot");
  cmd->add_flag("--json", a->json, "Failed files as JSON objects (keys row, path, count, error, message)");
  cmd->add_flag("-q,--quiet", a->quiet, "No progress line");
  cmd->add_option("PATH", a->paths, "Files to touch, and folders whose files are touched with --subfolders")
      ->required();
  cmd->footer("Times are local and converted with the time zone rules of their own date. Prints each file that "
              "failed as PATH<TAB>REASON.\nExit status: 0 done (or cancelled); 1 some file failed; 2 invalid "
              "subfolder filter.");
  cmd->callback([a] { SetExitStatus(RunTouch(*a)); });
}

}  // namespace

QV_REGISTER_COMMAND(50, SetupTouch);

}  // namespace qv::cli
