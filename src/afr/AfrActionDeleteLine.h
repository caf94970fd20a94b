#pragma once
// Delete line: every line that holds a match is left out, with its line feed.
//
//   CAfrActionDeleteLine del;   // initialized from the start; nothing to edit
#include "afr/AfrAction.h"

class CAfrActionDeleteLine : public CAfrAction {
 public:
  static constexpr const char* kClassName = "CAfrActionDeleteLine";
  CAfrActionDeleteLine() { initialized = 1; }

  const char* ClassName() const override { return kClassName; }
  void Write(CArchiveWriter&) const override {}
  void Read(CArchiveReader&) override { initialized = 1; }
  std::string GetDescription() const override { return "Delete line"; }
  bool HasSettings() const override { return false; }
  int Edit(IAfrEditor&) override { return kAfrEditConfirmed; }
  void CopyFrom(const CAfrAction& other) override { initialized = other.initialized; }

 protected:
  void DoApply(std::string_view text, std::string& out, CAfrIfCond& condition, CAfrProgress& progress,
               long long& changes) override;
};
