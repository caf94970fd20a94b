#pragma once
// Errors of the object archive that the script files (.fafrs, .frs) are written in, with the
// texts the pages show. The archive reader and writer throw CArchiveException; a loader catches
// it and shows LoadErrorText(path, e.Description()).
//
//   try { ... reader.ReadInt() ... }
//   catch (const CArchiveException& e) { Show(qv::archive::LoadErrorText(path, e.Description())); }
#include <exception>
#include <string>

enum class ArchiveErrorKind {
  EndOfFile,         // the data ends before a field is complete
  BadFormat,         // a tag without a class, or a class index that is not in the table
  UnexpectedObject,  // an unknown class name, a name of 64 bytes or more, a class of the wrong family
  BadSchema,         // a schema other than 1
  Generic,           // an 8-byte string length above 0x7FFFFFFF
  FileError,         // a read or write failure of the file itself (see Errno())
};

class CArchiveException : public std::exception {
 public:
  // `err` is the errno of a FileError, 0 otherwise.
  CArchiveException(ArchiveErrorKind kind, const std::string& path, int err = 0);

  ArchiveErrorKind Kind() const { return kind_; }
  int Errno() const { return errno_; }
  // The error text with the path filled in, at most 255 bytes:
  // "An attempt was made to access /d/a.fafrs past its end."
  const std::string& Description() const { return description_; }
  const char* what() const noexcept override { return description_.c_str(); }

 private:
  ArchiveErrorKind kind_;
  int errno_;
  std::string description_;
};

namespace qv::archive {

// The description of an archive error for `path` (at most 255 bytes, cut on a character
// boundary). For FileError the text follows `err`: ENOSPC gives "Disk full while accessing %1.",
// EIO "A hardware I/O error was reported while accessing %1.", and so on.
std::string ErrorText(ArchiveErrorKind kind, const std::string& path, int err = 0);

// The messages of the script load and save commands, shared by every script format.
// "Unable to read from file:\n<path>"
std::string UnableToReadText(const std::string& path);
// "Unable to write to file:\n<path>"
std::string UnableToWriteText(const std::string& path);
// "Cannot load the following file, because it was saved with an incompatible version:\n<path>"
std::string IncompatibleVersionText(const std::string& path);
// "The following error occured while loading "<path>":\n<description>"
std::string LoadErrorText(const std::string& path, const std::string& description);

}  // namespace qv::archive
