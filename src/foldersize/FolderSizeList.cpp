#include "FolderSizeList.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>

#include "core/DirReader.h"

void CFolderSizeList::Fill(std::string folder, const std::vector<std::string>& names) {
  folder_ = std::move(folder);
  rows_.clear();
  for (const auto& n : names) rows_.push_back({n});
  largest_ = 0;
}

std::string CFolderSizeList::PathOf(const FolderSizeEntry& row) const { return qv::JoinPath(folder_, row.name.c_str()); }

std::vector<std::string> CFolderSizeList::PrepareRun() {
  showRelativeSizes_ = false;
  std::vector<std::string> paths;
  for (auto& row : rows_) {
    if (row.name == "..") continue;
    std::string path = PathOf(row);
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) {
      row.size = FOLDER_SIZE_MISSING;
      row.fileCount = FOLDER_COUNT_MISSING;
      continue;
    }
    paths.push_back(std::move(path));
  }
  return paths;
}

bool CFolderSizeList::Apply(const CFolderSizeRow& record) {
  for (auto& row : rows_) {
    if (row.name == ".." || PathOf(row) != record.path) continue;
    row.size = record.size;
    row.fileCount = record.fileCount;
    if (!IsFolderSizeMarker(record.size) && record.size > largest_) largest_ = record.size;
    return true;
  }
  return false;
}

std::vector<std::string> ListSubfolders(const std::string& folder) {
  std::vector<std::string> names;
  CDirReader dir(AT_FDCWD, folder.c_str());
  for (DirEntry e; dir.Next(e);)
    if (e.type == EntryType::Directory) names.emplace_back(e.name);
  std::sort(names.begin(), names.end());
  return names;
}
