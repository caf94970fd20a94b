#pragma once
// The edit dialogs of AFR conditions and actions, implemented by the AFR page. Each call shows
// the dialog for `copy` (a fresh object of the same class filled from the one being edited),
// stores the user's values into it through its setters and returns true on OK; the object then
// takes the copy's settings. Classes without settings never call the editor.
//
//   class CPageEditor : public IAfrEditor {
//     bool Edit(CAfrIfCondFind& copy) override { CAfrIfCondFindDlg dlg(copy); return dlg.exec(); }
//     ...
//   };
class CAfrIfCondFind;
class CAfrIfCondFindAtStartOrEndOfLine;
class CAfrIfCondRegExFind;
class CAfrActionReplaceWith;
class CAfrActionAddStringToStartOrEndOfLine;
class CAfrActionRemoveCharRangeFromLine;
class CAfrActionWordWrapLine;
class CAfrActionAddLineNumber;
class CAfrActionChangeCase;

class IAfrEditor {
 public:
  virtual ~IAfrEditor() = default;
  virtual bool Edit(CAfrIfCondFind& copy) = 0;
  virtual bool Edit(CAfrIfCondFindAtStartOrEndOfLine& copy) = 0;
  virtual bool Edit(CAfrIfCondRegExFind& copy) = 0;
  virtual bool Edit(CAfrActionReplaceWith& copy) = 0;
  virtual bool Edit(CAfrActionAddStringToStartOrEndOfLine& copy) = 0;
  virtual bool Edit(CAfrActionRemoveCharRangeFromLine& copy) = 0;
  virtual bool Edit(CAfrActionWordWrapLine& copy) = 0;
  virtual bool Edit(CAfrActionAddLineNumber& copy) = 0;
  virtual bool Edit(CAfrActionChangeCase& copy) = 0;
};

// Runs the edit of a class with settings on a copy: the shared body of every Edit().
template <class T>
int AfrEditOnCopy(T& object, IAfrEditor& editor) {
  T copy;
  copy.CopyFrom(object);
  if (!editor.Edit(copy)) return 2;
  object.CopyFrom(copy);
  object.initialized = 1;
  return 1;
}
