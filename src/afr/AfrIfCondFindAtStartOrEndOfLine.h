#pragma once
// If (Find "text" at start of line) / (... at end of line): at most one match per line; the
// end of a line ending in CR LF is the position before the carriage return.
//
//   CAfrIfCondFindAtStartOrEndOfLine cond;
//   cond.SetFindText(";");
//   cond.SetAtStart(0);        // lines that end in ";"
#include <string>

#include "afr/AfrIfCond.h"

class CAfrIfCondFindAtStartOrEndOfLine : public CAfrIfCond {
 public:
  static constexpr const char* kClassName = "CAfrIfCondFindAtStartOrEndOfLine";

  void SetFindText(std::string typed);
  void SetMatchCase(int matchCase) { matchCase_ = matchCase; }
  void SetAtStart(int atStart) { atStart_ = atStart; }
  const std::string& FindText() const { return typed_; }
  const std::string& ExpandedText() const { return expanded_; }
  int MatchCase() const { return matchCase_; }
  int AtStart() const { return atStart_; }

  const char* ClassName() const override { return kClassName; }
  void Write(CArchiveWriter& out) const override;
  void Read(CArchiveReader& in) override;
  std::string GetDescription() const override;
  int Edit(IAfrEditor& editor) override;
  bool SettingsUsable() const override { return !expanded_.empty(); }
  bool Find(std::string_view text, size_t& start, size_t& end, bool first) override;
  bool IsLineAnchored() const override { return true; }
  void CopyFrom(const CAfrIfCond& other) override;

 private:
  std::string typed_;
  std::string expanded_;
  int matchCase_ = 0;
  int atStart_ = 1;
};
