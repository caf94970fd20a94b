// qv size: the Folder Size Lister on the command line.
#include <cstdio>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "Command.h"
#include "Json.h"
#include "Progress.h"
#include "TaskDriver.h"
#include "core/DirReader.h"
#include "foldersize/FolderSizeList.h"
#include "foldersize/FolderSizeTask.h"

namespace qv::cli {
namespace {

constexpr int kBarWidth = 30;

struct SizeArgs {
  std::string unit = "auto";
  bool json = false;
  bool quiet = false;
  std::string folder;
};

int UnitIndex(const std::string& unit) {
  static const char* kUnits[] = {"auto", "byte", "kilobyte", "megabyte", "gigabyte", "terabyte", "petabyte", "exabyte"};
  for (int i = 0; i < 8; ++i)
    if (unit == kUnits[i]) return i;
  return 0;
}

std::string JsonMarkerOr(std::uint64_t size, std::int64_t value) {
  if (size == FOLDER_SIZE_ERROR) return "\"error\"";
  if (size == FOLDER_SIZE_MISSING) return "\"missing\"";
  if (size == FOLDER_SIZE_NOT_CALCULATED) return "null";
  return std::to_string(value);
}

int RunSize(const SizeArgs& a) {
  std::string folder = qv::StripTrailingSeparator(a.folder);
  struct stat st;
  if (::stat(folder.empty() ? "/" : folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    std::fprintf(stderr, "qv size: the folder \"%s\" does not exist or is not a folder.\n", a.folder.c_str());
    return kUsageError;
  }
  if (folder.empty()) folder = "/";
  CFolderSizeList list;
  list.Fill(folder, ListSubfolders(folder));
  CFolderSizeTask task(list.PrepareRun());
  CProgressLine progress(!a.quiet, folder);
  int code = DriveTask(task, [&](const TaskMessage& m) {
    progress.Handle(m);
    if (auto* row = m.record<CFolderSizeRow>()) list.Apply(*row);
  });
  progress.Clear();
  list.SetShowRelativeSizes(code == 0);

  int unit = UnitIndex(a.unit);
  bool bars = !a.json && list.ShowRelativeSizes() && ::isatty(STDOUT_FILENO);
  for (const FolderSizeEntry& r : list.Rows()) {
    std::string line;
    if (a.json) {
      line = "{\"name\":" + JsonString(r.name) + ",\"path\":" + JsonString(list.PathOf(r)) +
             ",\"size\":" + JsonMarkerOr(r.size, static_cast<std::int64_t>(r.size)) +
             ",\"files\":" + JsonMarkerOr(r.size, r.fileCount) + "}";
    } else {
      line = r.name + "\t" + FolderSizeText(r.size, unit) + "\t" + FolderFileCountText(r.fileCount);
      if (bars) {
        line += "\t";
        int n = RelativeBarWidth(kBarWidth, r.size, list.LargestSize());
        for (int i = 0; i < n; ++i) line += "\xE2\x96\x88";  // U+2588 FULL BLOCK
      }
    }
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
  return code;
}

void SetupSize(CLI::App& qv) {
  auto a = std::make_shared<SizeArgs>();
  auto* cmd = qv.add_subcommand("size", "Show the total size and file count of each subfolder");
  cmd->add_option("--unit", a->unit, "Size unit (default auto)")
      ->check(CLI::IsMember({"auto", "byte", "kilobyte", "megabyte", "gigabyte", "terabyte", "petabyte", "exabyte"}));
  cmd->add_flag("--json", a->json, "One JSON object per subfolder (keys name, path, size, files)");
  cmd->add_flag("-q,--quiet", a->quiet, "No progress line");
  cmd->add_option("FOLDER", a->folder, "The folder whose subfolders are measured")->required();
  cmd->footer("Prints NAME<TAB>SIZE<TAB>FILES per subfolder (and a bar on a terminal); \"Error\" marks a folder "
              "that could not be listed, \"-\" one that disappeared.\nExit status: 0 done; 1 cancelled.");
  cmd->callback([a] { SetExitStatus(RunSize(*a)); });
}

}  // namespace

QV_REGISTER_COMMAND(60, SetupSize);

}  // namespace qv::cli
