#pragma once
// An Advanced Find And Replace script: the ordered rules, the changed mark the page shows, and
// the .fafrs file the script is saved to and loaded from.
//
//   CAfrScript script;
//   AfrLoadResult r = script.Load("/d/tidy.fafrs");
//   if (!r.ok()) show(r.message);          // rules read before an error stay in the script
//   std::string message;
//   if (!script.Save("/d/tidy.fafrs", &message)) show(message);   // changed mark kept
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "afr/AfrRule.h"

class CArchiveReader;
class CArchiveWriter;
class CAfrIfCondRegExFind;

struct AfrLoadResult {
  enum Status {
    kOk,
    kCannotOpen,           // "Unable to read from file:\n<path>"; the script is as it was
    kIncompatibleVersion,  // the incompatible-version message; the script is empty
    kError,                // "The following error occured while loading ..."; rules read before stay
  };
  Status status = kOk;
  std::string message;  // the text to show, empty for kOk
  bool ok() const { return status == kOk; }
};

class CAfrScript {
 public:
  // Called for each regular-expression condition read from a file whose expression does not
  // compile, right after it was read (the page shows InvalidRegexText and the edit dialog).
  using InvalidRegexHandler = std::function<void(CAfrIfCondRegExFind&)>;

  std::vector<std::unique_ptr<CAfrRule>> rules;

  bool IsChanged() const { return changed_; }
  void SetChanged(bool changed = true) { changed_ = changed; }
  // The script list's lines, numbered from 1.
  std::vector<std::string> GetLines() const;

  // Writes the whole file layout: version 1, the rule count and every rule.
  void WriteTo(CArchiveWriter& out) const;
  // Reads a file layout, appending every rule as soon as it is complete. Returns false (with
  // nothing read) when the version is not 1; throws CArchiveException on a format error.
  bool ReadFrom(CArchiveReader& in, const InvalidRegexHandler& onInvalidRegex = {});

  // Writes the script to `path` through a temporary file renamed over it. The changed mark is
  // cleared only when the file is complete; on failure *message holds the text to show.
  bool Save(const std::string& path, std::string* message);
  // Replaces the script by the one in `path` once that file could be opened.
  AfrLoadResult Load(const std::string& path, const InvalidRegexHandler& onInvalidRegex = {});

 private:
  bool changed_ = false;
};
