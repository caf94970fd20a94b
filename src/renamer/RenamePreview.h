#pragma once
// The preview of a rename script: the new name of each file as the script makes it, without
// looking for names that exist already and without advancing any numbering for good.
//
//   auto pairs = PreviewRename(steps, "/photos", {"a.jpg", "b.jpg"});
//   // {{"a.jpg", "Photo 01.jpg"}, {"b.jpg", "Photo 02.jpg"}}
#include <string>
#include <utility>
#include <vector>

#include "renamer/FileRenameOperation.h"

// (old name, new name) for every name, in order. A step that fails hands an empty name on.
std::vector<std::pair<std::string, std::string>> PreviewRename(const std::vector<CFileRenameOperation*>& steps,
                                                               const std::string& folder,
                                                               const std::vector<std::string>& names);
