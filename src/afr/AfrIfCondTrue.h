#pragma once
// If (True): matches the single byte at the start of the range, so with a line action every
// line is affected.
//
//   CAfrIfCondTrue cond;   // initialized from the start; nothing to edit
#include "afr/AfrIfCond.h"

class CAfrIfCondTrue : public CAfrIfCond {
 public:
  static constexpr const char* kClassName = "CAfrIfCondTrue";
  CAfrIfCondTrue() { initialized = 1; }

  const char* ClassName() const override { return kClassName; }
  void Write(CArchiveWriter&) const override {}
  void Read(CArchiveReader&) override { initialized = 1; }
  std::string GetDescription() const override { return "If (True)"; }
  bool HasSettings() const override { return false; }
  int Edit(IAfrEditor&) override { return kAfrEditConfirmed; }
  bool Find(std::string_view, size_t& start, size_t& end, bool) override {
    if (!initialized) return false;
    end = start + 1;
    return true;
  }
  void CopyFrom(const CAfrIfCond& other) override { initialized = other.initialized; }
};
