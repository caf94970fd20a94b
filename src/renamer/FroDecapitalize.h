#pragma once
// Lower-cases the first letter of every word: "My File.TXT" becomes "my file.tXT".
#include "renamer/FileRenameOperation.h"

class CFroDecapitalize : public CFileRenameOperation {
 public:
  static constexpr const char* kClassName = "CFroDecapitalize";
  const char* ClassName() const override { return kClassName; }
  std::string GetDescription() const override { return "Decapitalize"; }

 protected:
  bool DoApply(std::string_view name, std::string_view folder, std::string& out) override;
};
