#pragma once
// Upper-cases the first letter of every word: "my file.txt" becomes "My File.Txt".
#include "renamer/FileRenameOperation.h"

class CFroCapitalize : public CFileRenameOperation {
 public:
  static constexpr const char* kClassName = "CFroCapitalize";
  const char* ClassName() const override { return kClassName; }
  std::string GetDescription() const override { return "Capitalize"; }

 protected:
  bool DoApply(std::string_view name, std::string_view folder, std::string& out) override;
};
