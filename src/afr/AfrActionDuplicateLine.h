#pragma once
// Duplicate line: every line that holds a match is written twice. A last line without a line
// feed gets the text's own line ending after each copy.
//
//   CAfrActionDuplicateLine dup;   // "a" becomes "a\na\n"
#include "afr/AfrAction.h"

class CAfrActionDuplicateLine : public CAfrAction {
 public:
  static constexpr const char* kClassName = "CAfrActionDuplicateLine";
  CAfrActionDuplicateLine() { initialized = 1; }

  const char* ClassName() const override { return kClassName; }
  void Write(CArchiveWriter&) const override {}
  void Read(CArchiveReader&) override { initialized = 1; }
  std::string GetDescription() const override { return "Duplicate line"; }
  bool HasSettings() const override { return false; }
  int Edit(IAfrEditor&) override { return kAfrEditConfirmed; }
  void CopyFrom(const CAfrAction& other) override { initialized = other.initialized; }

 protected:
  void DoApply(std::string_view text, std::string& out, CAfrIfCond& condition, CAfrProgress& progress,
               long long& changes) override;
};
