#include "TouchOptions.h"

#include "TouchTime.h"

std::string CheckTouchOptions(const CTouchOptions& o) {
  if (o.names.empty()) return "No files or folders are selected.";
  if (o.changeCreated) return "The creation time cannot be changed on Linux.";
  if (o.changeModified && !IsValidLocalTime(o.modified)) return "The modification time is not a valid date and time.";
  if (o.changeAccessed && !IsValidLocalTime(o.accessed)) return "The access time is not a valid date and time.";
  if (o.hidden != TOUCH_LEAVE)
    return "The hidden attribute cannot be changed on Linux: a file is hidden when its name begins with \".\".";
  if (o.archive != TOUCH_LEAVE) return "The archive attribute cannot be changed on Linux.";
  if (o.system != TOUCH_LEAVE) return "The system attribute cannot be changed on Linux.";
  if (o.notContentIndexed != TOUCH_LEAVE) return "The not content indexed attribute cannot be changed on Linux.";
  if (o.encryption != TOUCH_LEAVE) return "Single files cannot be encrypted or decrypted on Linux.";
  return {};
}
