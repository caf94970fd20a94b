#pragma once
// What a compare run compares: every file of folder 1 (optionally with its subfolders) that
// matches the filter with the file of the same relative name in folder 2, or, in two-files mode,
// the file folder1/filter1 with folder2/filter2.
//
//   CCompareOptions o;
//   o.folder1 = "/data/a";  o.folder2 = "/backup/a";
//   o.filter1 = "*.txt";    o.recursive = true;
//   CCompareTask task(o);
#include <string>

struct CCompareOptions {
  std::string folder1;        // without a trailing separator
  std::string filter1 = "*";  // the filter; in two-files mode the name of file 1
  std::string folder2;        // without a trailing separator
  std::string filter2 = "*";  // only in two-files mode: the name of file 2
  bool recursive = false;     // ComparerRecursively
  bool showIdentical = false; // ComparerShowIdenticalFiles: rows for identical files too
  bool twoFiles = false;      // ComparerCompareTwoFiles
  bool noCounting = false;    // DisableFileCounting
  bool useRegex = false;      // UseTrueRegexpFilters
  bool dosStarDotStar = true; // UseDOSStarDotStarBehaviour
};
