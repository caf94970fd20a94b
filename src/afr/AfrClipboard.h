#pragma once
// The clipboard as the clipboard mode of an AFR run sees it: plain UTF-8 text in and out.
// The desktop gives the system clipboard; `qv afr --stdin` gives standard input and output.
//
//   class CStdioClipboard : public IAfrClipboard { ... };
//   CAdvFindAndReplaceTask task(options, script, &clipboard);
#include <string>

class IAfrClipboard {
 public:
  virtual ~IAfrClipboard() = default;
  // Whether the clipboard holds text at all.
  virtual bool HasText() = 0;
  // Takes the clipboard for this run; Close() is called after every successful Open().
  virtual bool Open() = 0;
  // The clipboard text; false when it cannot be had.
  virtual bool GetText(std::string& text) = 0;
  // Replaces the clipboard text with `text`; on failure the clipboard must hold what it held.
  virtual bool SetText(const std::string& text) = 0;
  virtual void Close() = 0;
};
