#pragma once
// Upper-cases the whole name, extension included, every UTF-8 letter: "Été.txt" becomes "ÉTÉ.TXT".
#include "renamer/FileRenameOperation.h"

class CFroToupper : public CFileRenameOperation {
 public:
  static constexpr const char* kClassName = "CFroToupper";
  const char* ClassName() const override { return kClassName; }
  std::string GetDescription() const override { return "Make uppercase"; }

 protected:
  bool DoApply(std::string_view name, std::string_view folder, std::string& out) override;
};
