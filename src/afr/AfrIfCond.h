#pragma once
// The if-condition of an AFR rule: finds the places in a text that the rule's action works on.
//
//   CAfrIfCondFind cond;
//   cond.SetFindText("cat");
//   cond.initialized = 1;
//   size_t start = 0, end = text.size();
//   if (cond.Find(text, start, end, true)) ...   // [start, end) is the match
#include <memory>
#include <string_view>

#include "afr/AfrObject.h"

class CAfrIfCond : public CAfrObject {
 public:
  // On entry [start, end) is the range to search; on success start and end delimit the match.
  // Conditions that give up at the end of the current line move end there also on failure.
  // `first` is true for the first search an action makes in the text; later searches refuse an
  // empty match at their start. An object whose initialized is 0 finds nothing.
  virtual bool Find(std::string_view text, size_t& start, size_t& end, bool first) = 0;
  // True when the condition yields at most one match per line.
  virtual bool IsLineAnchored() const { return false; }
  // Copies initialized, and the settings (through the setters) when `other` is of the same class.
  virtual void CopyFrom(const CAfrIfCond& other) = 0;
  // A new object of the same class filled by CopyFrom.
  std::unique_ptr<CAfrIfCond> Clone() const;
};
