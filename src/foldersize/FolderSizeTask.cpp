#include "FolderSizeTask.h"

#include <any>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>

#include "core/DirReader.h"

CFolderSizeTask::CFolderSizeTask(std::vector<std::string> paths) : paths_(std::move(paths)) {}

CFolderSizeTask::~CFolderSizeTask() { StopAndWait(); }

void CFolderSizeTask::Run() {
  for (const std::string& path : paths_) {
    if (PollStop()) break;
    Post(WM_TASK_CURRENTFILE, path);
    CFolderSizeRow row;
    row.path = path;
    CDirReader dir(AT_FDCWD, path.c_str());
    if (!dir) {
      row.size = FOLDER_SIZE_ERROR;
      row.fileCount = FOLDER_COUNT_ERROR;
    } else {
      std::uint64_t size = 0;
      std::int64_t count = 0;
      Walk(dir, size, count);
      if (IsCancelled()) break;
      // The count field is 32 bits wide; a tree with more files shows the largest count.
      row.size = size;
      row.fileCount = count > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(count);
    }
    Post(WM_TASK_FOLDERROW, std::any(std::move(row)));
  }
  PostFinished(IsCancelled() ? 1 : 0);
}

// Sizes come from fstatat relative to the folder's descriptor, and only for entries that are not
// folders: the entry type from getdents64 tells folders apart without a stat.
void CFolderSizeTask::Walk(CDirReader& dir, std::uint64_t& size, std::int64_t& count) {
  if (PollStop()) return;
  for (DirEntry e; dir.Next(e);) {
    if (PollStop()) return;
    if (e.type == EntryType::Directory) {
      CDirReader sub(dir.Fd(), e.name);
      if (!sub) continue;  // a folder that cannot be listed adds nothing
      std::uint64_t subSize = 0;
      std::int64_t subCount = 0;
      Walk(sub, subSize, subCount);
      size += subSize;
      count += subCount;
      if (IsCancelled()) return;
    } else {
      struct stat st;
      if (::fstatat(dir.Fd(), e.name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;  // gone meanwhile
      size += static_cast<std::uint64_t>(st.st_size);
      ++count;
    }
  }
}
