#pragma once
// What a step's Edit() asks of the user interface: the page implements it with the Format and
// Replace dialogs; tests and `qv` implement it with fixed answers.
//
//   class CDialogEditor : public IRenameStepEditor {
//     bool EditFormat(FormatStepValues& v) override { CFroFormatDlg dlg(v); return dlg.exec() == OK; }
//     ...
//   };
#include <cstdint>
#include <string>

// The parameters of a Format step as its dialog shows them.
struct FormatStepValues {
  std::string format;           // listing format text, e.g. "Photo %i\"3\""
  std::int32_t index = 1;       // the number the next name gets
  std::int32_t increment = 1;   // added to the index after each name
  bool leaveExtension = true;   // append the file's own extension
};

class IRenameStepEditor {
 public:
  virtual ~IRenameStepEditor() = default;
  // Shows the values for editing; true (OK) when the user accepted them, with `values` changed.
  virtual bool EditFormat(FormatStepValues& values) = 0;
  virtual bool EditReplace(std::string& findText, std::string& replaceText) = 0;
};
