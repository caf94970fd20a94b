#pragma once
// WordWrap line at character W: every line that holds a match and is longer than W bytes is
// broken at its last blank within reach (the blank gives way to the line break), or after W
// bytes when there is none. The inserted breaks follow the line's own ending.
//
//   CAfrActionWordWrapLine wrap;
//   wrap.SetWidth(10);   // 25 bytes without blanks become lines of 10, 10 and 5
#include "afr/AfrAction.h"

class CAfrActionWordWrapLine : public CAfrAction {
 public:
  static constexpr const char* kClassName = "CAfrActionWordWrapLine";

  void SetWidth(int width) { width_ = width; }
  int Width() const { return width_; }

  const char* ClassName() const override { return kClassName; }
  void Write(CArchiveWriter& out) const override;
  void Read(CArchiveReader& in) override;
  std::string GetDescription() const override { return "WordWrap line at character " + std::to_string(width_); }
  int Edit(IAfrEditor& editor) override;
  bool SettingsUsable() const override { return width_ >= 1; }
  void CopyFrom(const CAfrAction& other) override;

 protected:
  void DoApply(std::string_view text, std::string& out, CAfrIfCond& condition, CAfrProgress& progress,
               long long& changes) override;

 private:
  int width_ = 132;
};
