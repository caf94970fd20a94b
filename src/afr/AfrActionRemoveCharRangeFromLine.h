#pragma once
// Delete characters from position "from" to "to" (1-based, both included) on every line that
// matches; a carriage return before the line feed counts as a character of the line.
//
//   CAfrActionRemoveCharRangeFromLine cut;
//   cut.SetFrom(2);  cut.SetTo(100);   // "abc\r\n" becomes "a\n"
#include "afr/AfrAction.h"

class CAfrActionRemoveCharRangeFromLine : public CAfrAction {
 public:
  static constexpr const char* kClassName = "CAfrActionRemoveCharRangeFromLine";

  void SetFrom(int from) { from_ = from; }
  void SetTo(int to) { to_ = to; }
  int From() const { return from_; }
  int To() const { return to_; }

  const char* ClassName() const override { return kClassName; }
  void Write(CArchiveWriter& out) const override;
  void Read(CArchiveReader& in) override;
  std::string GetDescription() const override;
  int Edit(IAfrEditor& editor) override;
  void CopyFrom(const CAfrAction& other) override;

 protected:
  void DoApply(std::string_view text, std::string& out, CAfrIfCond& condition, CAfrProgress& progress,
               long long& changes) override;

 private:
  int from_ = 1;
  int to_ = 1;
};
