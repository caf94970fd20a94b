#pragma once
// Replaces every occurrence of a text in the name, case-sensitively, left to right; inserted text
// is never searched again: "aaa" with "aa" -> "b" gives "ba", "banana" with "a" -> "aa" gives
// "baanaanaa". An empty find text leaves the name as it is.
#include "renamer/FileRenameOperation.h"

class CFroReplace : public CFileRenameOperation {
 public:
  static constexpr const char* kClassName = "CFroReplace";
  const char* ClassName() const override { return kClassName; }

  void Serialize(CArchiveWriter& out) const override;
  void Serialize(CArchiveReader& in) override;
  // "\"<find>\" -> \"<replace>\""
  std::string GetDescription() const override;
  bool HasParameters() const override { return true; }
  bool Edit(IRenameStepEditor& editor) override;
  void CopyFrom(const CFileRenameOperation& other) override;

  std::string findText;
  std::string replaceText;

 protected:
  bool DoApply(std::string_view name, std::string_view folder, std::string& out) override;
};
