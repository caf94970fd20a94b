#pragma once
// Add line number with format: every line that holds a match gets a number text in front,
// counting the matching lines from 1.
//
//   CAfrActionAddLineNumber num;        // format %i"3": -> "001: ", "002: " ...
//   num.SetFormat("%i\"5\"\\t");       // "00001" and a tab
#include <string>

#include "afr/AfrAction.h"

class CAfrActionAddLineNumber : public CAfrAction {
 public:
  static constexpr const char* kClassName = "CAfrActionAddLineNumber";
  static constexpr const char* kDefaultFormat = "%i\"3\": ";

  CAfrActionAddLineNumber() { SetFormat(kDefaultFormat); }
  void SetFormat(std::string typed);
  const std::string& Format() const { return typed_; }
  const std::string& ExpandedFormat() const { return expanded_; }

  const char* ClassName() const override { return kClassName; }
  void Write(CArchiveWriter& out) const override;
  void Read(CArchiveReader& in) override;
  std::string GetDescription() const override { return "Add line number with format: \"" + typed_ + "\""; }
  int Edit(IAfrEditor& editor) override;
  void CopyFrom(const CAfrAction& other) override;

 protected:
  void DoApply(std::string_view text, std::string& out, CAfrIfCond& condition, CAfrProgress& progress,
               long long& changes) override;

 private:
  std::string typed_;
  std::string expanded_;
};
