#pragma once
// Prepend line with "text" / Add "text" to end of line: every line that matches gets the
// escape-expanded text at its start, or at its end before its line ending.
//
//   CAfrActionAddStringToStartOrEndOfLine add;
//   add.SetText(";");
//   add.SetPrepend(0);   // "a\r\n" becomes "a;\r\n"
#include <string>

#include "afr/AfrAction.h"

class CAfrActionAddStringToStartOrEndOfLine : public CAfrAction {
 public:
  static constexpr const char* kClassName = "CAfrActionAddStringToStartOrEndOfLine";

  void SetPrepend(int prepend) { prepend_ = prepend; }
  void SetText(std::string typed);
  int Prepend() const { return prepend_; }
  const std::string& Text() const { return typed_; }
  const std::string& ExpandedText() const { return expanded_; }

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
  int prepend_ = 1;
  std::string typed_;
  std::string expanded_;
};
