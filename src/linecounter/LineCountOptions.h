#pragma once
// What a line count run counts: the files of a folder (optionally with its subfolders) whose
// names match the filter.
//
//   CLineCountOptions o;
//   o.folder = "/src/project";  o.filter = "*.cpp;*.h";  o.recursive = true;
//   CLineCountTask task(o);
#include <string>

struct CLineCountOptions {
  std::string folder;         // LineCounterFolder, without a trailing separator
  std::string filter = "*";   // LineCounterFilter, trimmed; "*" (or ".*" with useRegex) for all
  bool recursive = false;     // LineCounterRecursively
  bool noCounting = false;    // DisableFileCounting
  bool useRegex = false;      // UseTrueRegexpFilters
  bool dosStarDotStar = true; // UseDOSStarDotStarBehaviour
};
