#pragma once
// Lower-cases the whole name, extension included, every UTF-8 letter: "ÉTÉ.TXT" becomes "été.txt".
#include "renamer/FileRenameOperation.h"

class CFroTolower : public CFileRenameOperation {
 public:
  static constexpr const char* kClassName = "CFroTolower";
  const char* ClassName() const override { return kClassName; }
  std::string GetDescription() const override { return "Make lowercase"; }

 protected:
  bool DoApply(std::string_view name, std::string_view folder, std::string& out) override;
};
