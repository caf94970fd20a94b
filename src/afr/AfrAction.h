#pragma once
// The action of an AFR rule: walks a whole text, asks the rule's condition for places and
// builds the new text.
//
//   CAfrActionReplaceWith dog;  dog.SetReplacement("dog");  dog.initialized = 1;
//   std::string out, error;  long long changes = 0;  CAfrProgress progress;
//   if (!dog.Apply("cat\ncat", out, catCondition, progress, changes, error)) fail(error);
//   // out == "dog\ndog", changes == 2
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "afr/AfrIfCond.h"
#include "afr/AfrObject.h"
#include "afr/AfrProgress.h"

class CAfrAction : public CAfrObject {
 public:
  // Builds the new text from `text` into `out` (replacing what it held), adds the number of
  // changes made to `changes`, reports its input position to `progress`. On failure sets
  // `error` ("Data initialization error." for an object not initialized or with settings
  // that cannot be run, "Error while allocating memory.", "Invalid search expression.") and
  // returns false.
  bool Apply(std::string_view text, std::string& out, CAfrIfCond& condition, CAfrProgress& progress,
             long long& changes, std::string& error);

  // Copies initialized, and the settings (through the setters) when `other` is of the same class.
  virtual void CopyFrom(const CAfrAction& other) = 0;
  // A new object of the same class filled by CopyFrom.
  std::unique_ptr<CAfrAction> Clone() const;

 protected:
  virtual void DoApply(std::string_view text, std::string& out, CAfrIfCond& condition, CAfrProgress& progress,
                       long long& changes) = 0;

  // The loop of the actions that search with the condition from the cursor. onMatch(c, ms, me)
  // handles a match [ms, me) found with the cursor at c and returns the new cursor; the bytes
  // that no match touches are copied here.
  template <class OnMatch>
  static void SearchLoop(std::string_view t, std::string& out, CAfrIfCond& cond, CAfrProgress& progress,
                         OnMatch onMatch) {
    const size_t n = t.size();
    size_t c = 0;
    bool first = true;
    while (c < n) {
      progress.Report(c);
      size_t ms = c, me = n;
      bool hit = cond.Find(t, ms, me, first);
      first = false;
      if (!hit) {
        size_t stop = me < c ? c : (me > n ? n : me);
        if (stop < n && t[stop] == '\n') ++stop;
        out.append(t.data() + c, stop - c);
        c = stop;
        continue;
      }
      if (me > n) me = n;
      if (ms < c || ms > me) ms = me = c;
      c = onMatch(c, ms, me);
    }
  }

  // The loop of the actions that test each line separately. onLine(s, q, matched) handles the
  // line [s, q) (q is its line feed or the end of the text).
  template <class OnLine>
  static void LineLoop(std::string_view t, CAfrIfCond& cond, CAfrProgress& progress, OnLine onLine) {
    const size_t n = t.size();
    size_t s = 0;
    while (true) {
      size_t q = s;
      const void* lf = q < n ? std::memchr(t.data() + q, '\n', n - q) : nullptr;
      q = lf ? static_cast<size_t>(static_cast<const char*>(lf) - t.data()) : n;
      progress.Report(q);
      size_t fs = s, fe = q;
      bool matched = cond.Find(t, fs, fe, q == 0);
      onLine(s, q, matched);
      if (q >= n) break;
      s = q + 1;
    }
  }
};
