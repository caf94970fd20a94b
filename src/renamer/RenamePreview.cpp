#include "renamer/RenamePreview.h"

std::vector<std::pair<std::string, std::string>> PreviewRename(const std::vector<CFileRenameOperation*>& steps,
                                                               const std::string& folder,
                                                               const std::vector<std::string>& names) {
  std::vector<std::pair<std::string, std::string>> pairs;
  pairs.reserve(names.size());
  for (CFileRenameOperation* step : steps) step->BeginRun();
  for (const std::string& name : names) {
    std::string current = name;
    for (CFileRenameOperation* step : steps) {
      if (!step->IsEnabled()) continue;
      std::string input = std::move(current);
      current.clear();
      step->Apply(input, folder, current);
    }
    pairs.emplace_back(name, std::move(current));
  }
  for (CFileRenameOperation* step : steps) step->EndRun();
  return pairs;
}
