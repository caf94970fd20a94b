#pragma once
// Folder values of the settings ("RenameFolderPIDL" and the like) are item identifier lists: a
// sequence of items, each starting with its own 16-bit little-endian byte count (which includes
// those two bytes), ended by a 16-bit zero. On Linux each item holds the bytes of one component
// of an absolute path.
//
//   Bytes id = MakeFolderIdList("/home/u");   // 06 00 'h' 'o' 'm' 'e'  03 00 'u'  00 00
//   FolderIdListPath(id);                     // "/home/u"
#include <string>

#include "settings/Settings.h"

// True when walking the items from the start lands exactly on the terminating zero at the end of
// `list` (at least 2 bytes) without passing it.
bool IsValidFolderIdList(const Bytes& list);
// The list of an absolute path; empty ("not set") for an empty or relative path or a component
// too long for an item. Empty and "." components are left out; "/" gives the bare terminator.
Bytes MakeFolderIdList(const std::string& absolutePath);
// The path of a valid list ("/" for the bare terminator); "" when the list is not valid or an item
// cannot be a path component (empty, ".", "..", or holding "/" or a NUL).
std::string FolderIdListPath(const Bytes& list);
