#pragma once
// What a touch run changes. Every choice starts as "leave unchanged"; the page or `qv touch`
// fills the fields and checks them with CheckTouchOptions before it starts a CTouchTask.
//
//   CTouchOptions o;
//   o.names = {"/data/a.txt", "/data/photos"};   // folder empty: the names are full paths
//   o.changeModified = true;
//   ParseLocalTime("2024-07-01 12:00:00", o.modified);
//   o.readOnly = TOUCH_SET;
//   o.touchSubfolders = true;
//   o.subfolderFilter = "*.jpg";
//   if (auto why = CheckTouchOptions(o); !why.empty()) fail(why);
#include <string>
#include <vector>

#include "core/Format.h"

// A three-state choice for an attribute, the compression or the encryption.
enum TouchChoice : int {
  TOUCH_CLEAR = 0,  // remove the attribute; uncompress; decrypt
  TOUCH_SET = 1,    // add the attribute; compress; encrypt
  TOUCH_LEAVE = 2,  // leave unchanged
};

struct CTouchOptions {
  // The folder of the selected items ("" when the names are full paths); a "/" is added unless
  // it ends in one.
  std::string folder;
  // The selected items, files and folders, in list order.
  std::vector<std::string> names;

  // The times to set, as local dates and times in whole seconds. The creation time cannot be set
  // on Linux; asking for it fails for every file.
  bool changeCreated = false;
  bool changeModified = false;
  bool changeAccessed = false;
  LocalCalendar created, modified, accessed;

  // Read-only is the write permission bits: set clears all three, clear sets the owner's. Hidden
  // is a name beginning with "."; archive, system and not-content-indexed have no Linux meaning.
  // Only read-only and compression (btrfs, f2fs) can be changed on Linux.
  TouchChoice readOnly = TOUCH_LEAVE;
  TouchChoice hidden = TOUCH_LEAVE;
  TouchChoice archive = TOUCH_LEAVE;
  TouchChoice system = TOUCH_LEAVE;
  TouchChoice notContentIndexed = TOUCH_LEAVE;
  TouchChoice compression = TOUCH_LEAVE;
  TouchChoice encryption = TOUCH_LEAVE;

  // Touch the files inside selected folders (all levels down) whose names match the filter.
  bool touchSubfolders = false;
  std::string subfolderFilter = "*";
  bool useRegex = false;        // UseTrueRegexpFilters
  bool dosStarDotStar = true;   // UseDOSStarDotStarBehaviour
};

// An empty text when the options can run; otherwise the message that tells the user what cannot
// be done (a choice Linux cannot carry out, an invalid time, nothing selected).
std::string CheckTouchOptions(const CTouchOptions& options);
