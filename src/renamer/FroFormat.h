#pragma once
// Builds the new name from a listing format text (see listprinter/ListFormat.h) for the file in
// question, with a running number: "Photo %i\"2\"" with index 1 and increment 1 names three .jpg
// files "Photo 01.jpg", "Photo 02.jpg", "Photo 03.jpg" and leaves the index at 4.
//
//   CFroFormat step;
//   step.AutoFill("IMG_0041.jpg");     // format "IMG_%i\"4\"", index 42, increment 1
//   step.configured = true;
//   std::string out;
//   step.Apply("IMG_0041.jpg", "/photos/", out);   // "IMG_0042.jpg"
//
// The backslash, colon and slash are replaced by "_" in every result, so a new name never holds
// a path.
#include <cstdint>
#include <string>
#include <string_view>

#include "renamer/FileRenameOperation.h"
#include "renamer/RenameStepEditor.h"

class CFroFormat : public CFileRenameOperation {
 public:
  static constexpr const char* kClassName = "CFroFormat";
  const char* ClassName() const override { return kClassName; }

  void Serialize(CArchiveWriter& out) const override;
  void Serialize(CArchiveReader& in) override;
  // BeginRun remembers the index; EndRun of a pass begun by BeginRun gives it back.
  void BeginRun() override;
  void EndRun() override;
  // "\"<format>\", Index: <index>, Incr: <increment>, LeaveExt: True|False"
  std::string GetDescription() const override;
  bool HasParameters() const override { return true; }
  bool Edit(IRenameStepEditor& editor) override;
  void CopyFrom(const CFileRenameOperation& other) override;

  // Takes format and starting index from a number in `fileName` right before its extension
  // (see AutoFillFormatValues); remembers the name in autoFillName.
  void AutoFill(std::string_view fileName);

  FormatStepValues Values() const { return {format, index, increment, leaveExtension}; }
  void SetValues(const FormatStepValues& v);

  std::string format;
  std::int32_t index = 1;
  std::int32_t increment = 1;
  bool leaveExtension = true;
  std::int32_t savedIndex = 0;
  std::string autoFillName;

 protected:
  bool DoApply(std::string_view name, std::string_view folder, std::string& out) override;
};

// The values "Format (Auto Fill Values)" proposes for a file name: the digits right before the
// last dot become the numbering, continuing after them, the text before them the format.
//   "IMG_0041.jpg" -> "IMG_%i\"4\"", 42     "holiday.jpg" -> "holiday %i", 1
//   "2004.txt"     -> "%i\"4\"", 2005       "track07"     -> "track%i\"2\"", 8
// Increment 1 and leaveExtension set in every case.
FormatStepValues AutoFillFormatValues(std::string_view fileName);

// The sample the Format dialog shows: the expansion of `format` for the file
// "sample filename.ext" (which need not exist) with the starting index, before "\", ":" and "/"
// are replaced. "Error" when it cannot be expanded.
std::string FormatDialogSample(std::string_view format, std::int32_t startIndex, bool leaveExtension);

// The text of the "Auto Fill Values" warning the page shows before AutoFill.
inline constexpr const char* kAutoFillWarningText =
    "\"Auto Fill Values\" will look for a number in the filename right before the \".\" of the extension.\n"
    "If a number is found, it will be used as a starting number for numbering the files.\n"
    "If no number is found, a number will be added right before the \".\" of the extension.\n\n"
    "<B>This will not always give the correct results, so it is recommended that you check the values after you "
    "close this warning dialog.</B>";
