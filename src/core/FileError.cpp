#include "FileError.h"

#include <cstring>

const char* TouchErrorText(std::int32_t reason) {
  switch (reason) {
    case TOUCH_ERROR_NOT_FOUND: return "File does not exist";
    case TOUCH_ERROR_OPEN: return "Could not open file";
    case TOUCH_ERROR_COMPRESSION: return "Changing compression failed";
    case TOUCH_ERROR_FILETIME: return "Changing filetime failed";
    case TOUCH_ERROR_ATTRIBUTES: return "Changing attributes failed";
    case TOUCH_ERROR_DECRYPT: return "Decrypting this file failed";
    case TOUCH_ERROR_ENCRYPT: return "Encrypting this file failed";
    default: return "";
  }
}

const char* RenameErrorText(std::int32_t reason) {
  switch (reason) {
    case RENAME_ERROR_NOT_FOUND: return "File does not exist";
    case RENAME_ERROR_INVALID_NAME: return "Invalid characters in new filename";
    case RENAME_ERROR_EXISTS_OR_DENIED: return "No write permission or a file with the new name already exist";
    default: return "";
  }
}

std::string SystemErrorMessage(int errnum) {
  char buf[1024];
  // The GNU strerror_r may return a static text instead of filling buf; it is thread-safe
  // either way, unlike strerror.
  std::string text = ::strerror_r(errnum, buf, sizeof buf);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

std::string FileErrorReasonText(const CFileError& error, const char* reasonText) {
  std::string text = reasonText ? reasonText : "";
  if (error.systemError != 0) text += ": " + SystemErrorMessage(error.systemError);
  return text;
}
