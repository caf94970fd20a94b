#pragma once
// Rename scripts in .frs files: the version 1, the number of steps, then each step as an archive
// object (its class name the first time the class occurs, a class reference after that) with its
// stored fields.
//
//   RenameScript script;
//   RenameScriptLoadResult r = LoadRenameScript("/d/photos.frs", script);
//   if (!r.ok()) show(r.message);        // steps read before an error stay in the script
//   std::string message;
//   if (!SaveRenameScript("/d/photos.frs", script, &message)) show(message);
#include <string>
#include <vector>

#include "renamer/RenameOperationFactory.h"

class CArchiveReader;
class CArchiveWriter;

struct RenameScriptLoadResult {
  enum Status {
    Loaded,               // the whole file was read
    CannotOpen,           // "Unable to read from file:\n<path>"; the script was left as it was
    IncompatibleVersion,  // "Cannot load the following file, because ..."; the script is empty
    ReadError,            // "The following error occured while loading ..."; steps read before stay
  };
  Status status = Loaded;
  std::string message;  // the text to show; empty when loaded
  bool ok() const { return status == Loaded; }
};

// Replaces the steps of `script` with those of the file. When the file cannot be opened the
// script is left as it was; otherwise it is emptied first and gets every step read completely.
RenameScriptLoadResult LoadRenameScript(const std::string& path, RenameScript& script);

// Writes the steps to `path` through a temporary file renamed over it, so that a failed save
// leaves the old file as it was; false with the message to show on failure.
bool SaveRenameScript(const std::string& path, const RenameScript& script, std::string* message);

// The two halves on an archive, for callers that hold the bytes themselves. The reader appends
// steps to `script` and throws CArchiveException on a format error; it returns false for a
// version other than 1.
void WriteRenameScript(CArchiveWriter& out, const RenameScript& script);
bool ReadRenameScript(CArchiveReader& in, RenameScript& script);
