#include "FolderSizeRow.h"

#include <cmath>

#include "core/Format.h"

bool IsFolderSizeMarker(std::uint64_t size) { return size >= FOLDER_SIZE_MISSING; }

namespace {
const char* MarkerText(std::uint64_t size) {
  if (size == FOLDER_SIZE_ERROR) return "Error";
  if (size == FOLDER_SIZE_MISSING) return "-";
  return ".";
}
}  // namespace

std::string FolderSizeText(std::uint64_t size, int unitIndex) {
  if (IsFolderSizeMarker(size)) return MarkerText(size);
  return FormatSizeInUnit(size, unitIndex);
}

std::string FolderFileCountText(std::int32_t count) {
  if (count == FOLDER_COUNT_ERROR) return "Error";
  if (count == FOLDER_COUNT_MISSING) return "-";
  if (count < 0) return ".";
  return FormatCount(static_cast<std::uint32_t>(count));
}

int RelativeBarWidth(int innerWidth, std::uint64_t size, std::uint64_t largest) {
  if (innerWidth <= 0 || largest == 0 || IsFolderSizeMarker(size)) return 0;
  double w = std::round(static_cast<double>(innerWidth) * static_cast<double>(size) / static_cast<double>(largest));
  return w > innerWidth ? innerWidth : static_cast<int>(w);
}
