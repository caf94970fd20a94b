#pragma once
// The values of one row of the Folder Size Lister: the total size of the files of a folder (all
// levels down) and their number, or a marker in both fields, and how they are shown.
//
//   CFolderSizeRow row{1536, 2, "/data/photos"};
//   FolderSizeText(row.size, 0);          // "1.50 KB" (unit 0 is Auto)
//   FolderFileCountText(row.fileCount);   // "2"
//   FolderSizeText(FOLDER_SIZE_ERROR, 0); // "Error"
#include <cstdint>
#include <string>

// Markers stored in the size field; the file count holds -1, -2, -3 alike.
inline constexpr std::uint64_t FOLDER_SIZE_NOT_CALCULATED = ~std::uint64_t{0};     // "."
inline constexpr std::uint64_t FOLDER_SIZE_ERROR = ~std::uint64_t{0} - 1;          // "Error": could not be listed
inline constexpr std::uint64_t FOLDER_SIZE_MISSING = ~std::uint64_t{0} - 2;        // "-": no longer on disk
inline constexpr std::int32_t FOLDER_COUNT_NOT_CALCULATED = -1;
inline constexpr std::int32_t FOLDER_COUNT_ERROR = -2;
inline constexpr std::int32_t FOLDER_COUNT_MISSING = -3;

// The payload of WM_TASK_FOLDERROW: one calculated folder.
struct CFolderSizeRow {
  std::uint64_t size = 0;
  std::int32_t fileCount = 0;
  std::string path;  // the full path as handed to the task

  bool operator==(const CFolderSizeRow&) const = default;
};

bool IsFolderSizeMarker(std::uint64_t size);
// The "Size" column: a marker's text, or the size in the unit of FolderSizeListerSizeFormat
// (0 Auto, 1 Byte, 2 Kilobyte ... 7 Exabyte) in the locale's number format.
std::string FolderSizeText(std::uint64_t size, int unitIndex);
// The "# Files" column: a marker's text, or the count with digit grouping.
std::string FolderFileCountText(std::int32_t fileCount);
// The width in pixels of the relative-size bar inside a frame `innerWidth` wide: rounded to the
// nearest pixel; 0 for a marker or when nothing has a size yet.
int RelativeBarWidth(int innerWidth, std::uint64_t size, std::uint64_t largestSize);
