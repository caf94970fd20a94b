#pragma once
// What the Find and Find And Replace modules hand to their task. The defaults are the settings'
// defaults.
//
//   FindAndReplaceOptions o;
//   o.rootFolder = "/data";  o.filterText = "*.txt";  o.findText = "old";
//   o.replaceMode = true;    o.replaceText = "new";
#include <string>

struct FindAndReplaceOptions {
  bool replaceMode = false;        // false: Find lists the files holding the text
  std::string rootFolder;          // the start folder, without a trailing separator
  std::string filterText = "*";    // the file filter as typed (already trimmed)
  bool useRegexFilters = false;    // the filter is a list of regular expressions, not wildcards
  bool dosStarDotStar = true;      // "*.*" also matches names without a dot
  bool recursive = false;          // include subfolders
  std::string findText;            // empty: every file passing the filter is listed
  std::string replaceText;
  bool regex = false;              // the find text is a Perl regular expression
  bool matchCase = false;
  bool keepBackups = true;         // replace mode: keep "<file>.backup" after a good rewrite
  std::string backupFolder = ".";  // ".", "/abs/folder/" or "./relative/folder/"
  bool processSparse = false;      // replace mode: rewrite sparse files too (find always reads them)
  bool disableCounting = false;    // skip the counting walk (no total for the progress bar)
};
