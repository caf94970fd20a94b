#pragma once
// Change case of every line that holds a match: all to uppercase (0), all to lowercase (1),
// capitalize words (2) or make sentences (3). Only ASCII letters change; each changed byte
// counts as one change.
//
//   CAfrActionChangeCase cc;
//   cc.SetMode(CAfrActionChangeCase::kCapitalizeWords);   // "hello-world" -> "Hello-World"
#include "afr/AfrAction.h"

class CAfrActionChangeCase : public CAfrAction {
 public:
  static constexpr const char* kClassName = "CAfrActionChangeCase";
  enum Mode { kUpper = 0, kLower = 1, kCapitalizeWords = 2, kMakeSentences = 3 };

  CAfrActionChangeCase() { initialized = 1; }
  void SetMode(int mode) { mode_ = mode; }
  int Mode() const { return mode_; }

  const char* ClassName() const override { return kClassName; }
  void Write(CArchiveWriter& out) const override;
  void Read(CArchiveReader& in) override;
  std::string GetDescription() const override;
  int Edit(IAfrEditor& editor) override;
  // A mode outside 0 to 3 can come only from a file.
  bool SettingsUsable() const override { return mode_ >= kUpper && mode_ <= kMakeSentences; }
  void CopyFrom(const CAfrAction& other) override;

 protected:
  void DoApply(std::string_view text, std::string& out, CAfrIfCond& condition, CAfrProgress& progress,
               long long& changes) override;

 private:
  int mode_ = kUpper;
};
