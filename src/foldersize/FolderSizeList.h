#pragma once
// The rows of the Folder Size Lister and their values, kept apart from any view so that the page
// and `qv size` fill them the same way: fill with a folder's entries, prepare a calculation
// (which yields the paths for a CFolderSizeTask), store each finished row.
//
//   CFolderSizeList list;
//   list.Fill("/data", ListSubfolders("/data"));
//   CFolderSizeTask task(list.PrepareRun());
//   ... on WM_TASK_FOLDERROW:  list.Apply(*message.record<CFolderSizeRow>());
//   ... on WM_TASK_FINISHED:   list.SetShowRelativeSizes(true);
#include <cstdint>
#include <string>
#include <vector>

#include "FolderSizeRow.h"

struct FolderSizeEntry {
  std::string name;  // the folder's name; ".." for the parent entry
  std::uint64_t size = FOLDER_SIZE_NOT_CALCULATED;
  std::int32_t fileCount = FOLDER_COUNT_NOT_CALCULATED;
};

class CFolderSizeList {
 public:
  // Replaces the rows by `names` (in list order), all not calculated; the largest size restarts
  // at 0.
  void Fill(std::string folder, const std::vector<std::string>& names);

  // Starts a calculation: bars off, and the full paths to calculate in list order. A row whose
  // folder no longer exists is marked missing at once; the parent entry ".." is never
  // calculated (its tree is not one of the folder's subfolders).
  std::vector<std::string> PrepareRun();

  // Stores a calculated row in the first row whose full path equals the record's path exactly
  // (names on Linux differ by letter case); false when no row matches.
  bool Apply(const CFolderSizeRow& row);

  const std::string& Folder() const { return folder_; }
  const std::vector<FolderSizeEntry>& Rows() const { return rows_; }
  std::string PathOf(const FolderSizeEntry& row) const;
  // The greatest size among the rows that is not a marker.
  std::uint64_t LargestSize() const { return largest_; }
  bool ShowRelativeSizes() const { return showRelativeSizes_; }
  void SetShowRelativeSizes(bool on) { showRelativeSizes_ = on; }

 private:
  std::string folder_;
  std::vector<FolderSizeEntry> rows_;
  std::uint64_t largest_ = 0;
  bool showRelativeSizes_ = false;
};

// The names of the subfolders of `folder` (real folders, not links to them), sorted by name;
// what the list shows where there is no file manager's view of the folder. Empty when the folder
// cannot be listed.
std::vector<std::string> ListSubfolders(const std::string& folder);
