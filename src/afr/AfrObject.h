#pragma once
// The root of the two families of AFR script objects, if-conditions (CAfrIfCond) and actions
// (CAfrAction): a class name for the script file, the fields it stores, a description for the
// script list, and an edit through the page's dialogs.
//
//   CAfrActionWordWrapLine wrap;
//   wrap.GetDescription();           // "WordWrap line at character 132"
//   if (wrap.Edit(editor) == kAfrEditConfirmed) ...   // initialized is now 1
#include <string>

class CArchiveReader;
class CArchiveWriter;
class IAfrEditor;

inline constexpr int kAfrEditConfirmed = 1;
inline constexpr int kAfrEditCancelled = 2;

class CAfrObject {
 public:
  virtual ~CAfrObject() = default;

  // The exact class name the script file stores.
  virtual const char* ClassName() const = 0;
  // Writes the object's fields (not its class reference).
  virtual void Write(CArchiveWriter& out) const = 0;
  // Reads the fields through the setters and sets initialized to 1; throws CArchiveException.
  virtual void Read(CArchiveReader& in) = 0;
  virtual std::string GetDescription() const = 0;
  // False for the classes that have nothing to edit.
  virtual bool HasSettings() const { return true; }
  // Shows the object's dialog on a copy; on confirmation stores the settings and sets
  // initialized to 1. Returns kAfrEditConfirmed or kAfrEditCancelled.
  virtual int Edit(IAfrEditor& editor) = 0;
  // False when the settings hold a value that the editor refuses but a file can carry and that
  // cannot be run (an empty find text, a word-wrap width below 1).
  virtual bool SettingsUsable() const { return true; }

  // 1 once the settings were confirmed in the editor or read from a file.
  int initialized = 0;
};
