#pragma once
// One file that a touch or rename run could not handle: its path, why, and the system's error
// number (errno) behind it. Runs collect these in a list that the page or `qv` shows after the
// run ends.
//
//   std::vector<CFileError> errors;
//   errors.push_back({"/data/a.txt", TOUCH_ERROR_FILETIME, EPERM});
//   FileErrorReasonText(errors[0], TouchErrorText(errors[0].reason));
//   // "Changing filetime failed: Operation not permitted"
#include <cstdint>
#include <string>

struct CFileError {
  std::string path;              // the full path of the file
  std::int32_t reason = 0;       // one of the run's reason codes below
  std::int32_t systemError = 0;  // errno of the failing call; 0 when there is none

  bool operator==(const CFileError&) const = default;
};

// Reasons of a touch run.
enum TouchErrorReason : std::int32_t {
  TOUCH_ERROR_NOT_FOUND = 4,     // "File does not exist"
  TOUCH_ERROR_OPEN = 8,          // "Could not open file"
  TOUCH_ERROR_COMPRESSION = 16,  // "Changing compression failed"
  TOUCH_ERROR_FILETIME = 32,     // "Changing filetime failed"
  TOUCH_ERROR_ATTRIBUTES = 64,   // "Changing attributes failed"
  TOUCH_ERROR_DECRYPT = 128,     // "Decrypting this file failed"
  TOUCH_ERROR_ENCRYPT = 256,     // "Encrypting this file failed"
};

// Reasons of a rename run (its system error is always 0).
enum RenameErrorReason : std::int32_t {
  RENAME_ERROR_OTHER = 0,            // empty text
  RENAME_ERROR_NOT_FOUND = 16,       // "File does not exist"
  RENAME_ERROR_INVALID_NAME = 32,    // "Invalid characters in new filename"
  RENAME_ERROR_EXISTS_OR_DENIED = 64,  // "No write permission or a file with the new name already exist"
};

// The reason texts; an unknown code gives an empty text.
const char* TouchErrorText(std::int32_t reason);
const char* RenameErrorText(std::int32_t reason);

// The system's message for an errno value (strerror), without a trailing line break.
std::string SystemErrorMessage(int errnum);

// The "Reason" column of an error list: the reason text alone, or "%s: %s" with the reason text
// and the system's message when the error carries a system error number.
std::string FileErrorReasonText(const CFileError& error, const char* reasonText);
