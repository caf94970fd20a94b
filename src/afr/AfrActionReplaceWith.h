#pragma once
// Replace with "text": every match of the condition is replaced by the escape-expanded text.
//
//   CAfrActionReplaceWith a;
//   a.SetReplacement("dog\\n");   // "dog" and a line feed
#include <string>

#include "afr/AfrAction.h"

class CAfrActionReplaceWith : public CAfrAction {
 public:
  static constexpr const char* kClassName = "CAfrActionReplaceWith";

  void SetReplacement(std::string typed);
  const std::string& Replacement() const { return typed_; }
  const std::string& ExpandedReplacement() const { return expanded_; }

  const char* ClassName() const override { return kClassName; }
  void Write(CArchiveWriter& out) const override;
  void Read(CArchiveReader& in) override;
  std::string GetDescription() const override { return "Replace with \"" + typed_ + "\""; }
  int Edit(IAfrEditor& editor) override;
  void CopyFrom(const CAfrAction& other) override;

 protected:
  void DoApply(std::string_view text, std::string& out, CAfrIfCond& condition, CAfrProgress& progress,
               long long& changes) override;

 private:
  std::string typed_;
  std::string expanded_;
};
