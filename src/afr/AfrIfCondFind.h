#pragma once
// If (Find "text"): every occurrence of a plain text, with escapes (\t, \n ...) expanded.
//
//   CAfrIfCondFind cond;
//   cond.SetFindText("a\\tb");      // matches a, tab, b; the description shows a\tb
//   cond.SetMatchCase(true);
#include <string>

#include "afr/AfrIfCond.h"

class CAfrIfCondFind : public CAfrIfCond {
 public:
  static constexpr const char* kClassName = "CAfrIfCondFind";

  void SetFindText(std::string typed);
  void SetMatchCase(int matchCase) { matchCase_ = matchCase; }
  const std::string& FindText() const { return typed_; }
  const std::string& ExpandedText() const { return expanded_; }
  int MatchCase() const { return matchCase_; }

  const char* ClassName() const override { return kClassName; }
  void Write(CArchiveWriter& out) const override;
  void Read(CArchiveReader& in) override;
  std::string GetDescription() const override;
  int Edit(IAfrEditor& editor) override;
  bool SettingsUsable() const override { return !expanded_.empty(); }
  bool Find(std::string_view text, size_t& start, size_t& end, bool first) override;
  void CopyFrom(const CAfrIfCond& other) override;

 private:
  std::string typed_;
  std::string expanded_;
  int matchCase_ = 0;
};
