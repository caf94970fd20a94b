#pragma once
// One step of a rename script: turns a file name into a new one. Scripts chain the enabled steps,
// feeding each step's output to the next, with the same folder for all.
//
//   CFroReplace step;
//   step.findText = "IMG";
//   step.replaceText = "Holiday";
//   step.configured = true;                          // Edit() or loading sets it
//   std::string out;
//   step.Apply("IMG_0041.jpg", "/photos/", out);     // out == "Holiday_0041.jpg"
#include <string>
#include <string_view>

class CArchiveReader;
class CArchiveWriter;
class IRenameStepEditor;

class CFileRenameOperation {
 public:
  virtual ~CFileRenameOperation() = default;

  // The class name written into script files ("CFroFormat", ...).
  virtual const char* ClassName() const = 0;

  // Writes the stored fields (the base writes `enabled`).
  virtual void Serialize(CArchiveWriter& out) const;
  // Reads the stored fields and marks the step configured; throws CArchiveException.
  virtual void Serialize(CArchiveReader& in);

  // A preview pass: BeginRun remembers what Apply will change, EndRun puts it back.
  virtual void BeginRun() { running = true; }
  virtual void EndRun() { running = false; }

  void SetEnabled(bool flag) { enabled = flag; }
  bool IsEnabled() const { return enabled; }

  // Appends the new name for `name` (a bare name, no path) lying in `folder` to `out`. False,
  // with `out` untouched, when the step is not configured or its work fails.
  bool Apply(std::string_view name, std::string_view folder, std::string& out);

  // The text of the step in the script list.
  virtual std::string GetDescription() const = 0;
  virtual bool HasParameters() const { return false; }
  // Lets the user set the parameters; true for OK. Steps without parameters become configured
  // at once.
  virtual bool Edit(IRenameStepEditor& editor);
  // Copies the flags and, from a step of the same class, the stored parameters.
  virtual void CopyFrom(const CFileRenameOperation& other);

  bool configured = false;  // set by Edit or loading; Apply does nothing until then
  bool running = false;     // a preview pass begun by BeginRun has not ended
  bool enabled = true;      // the step takes part in runs and previews

 protected:
  virtual bool DoApply(std::string_view name, std::string_view folder, std::string& out) = 0;
};
