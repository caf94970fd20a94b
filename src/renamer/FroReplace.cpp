#include "renamer/FroReplace.h"

#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"
#include "renamer/RenameStepEditor.h"

void CFroReplace::Serialize(CArchiveWriter& out) const {
  CFileRenameOperation::Serialize(out);
  out.WriteString(findText);
  out.WriteString(replaceText);
}

void CFroReplace::Serialize(CArchiveReader& in) {
  CFileRenameOperation::Serialize(in);
  findText = in.ReadString();
  replaceText = in.ReadString();
}

std::string CFroReplace::GetDescription() const { return "\"" + findText + "\" -> \"" + replaceText + "\""; }

bool CFroReplace::Edit(IRenameStepEditor& editor) {
  std::string find = findText, replace = replaceText;
  if (!editor.EditReplace(find, replace)) return false;
  findText = std::move(find);
  replaceText = std::move(replace);
  configured = true;
  return true;
}

void CFroReplace::CopyFrom(const CFileRenameOperation& other) {
  CFileRenameOperation::CopyFrom(other);
  if (auto* o = dynamic_cast<const CFroReplace*>(&other)) {
    findText = o->findText;
    replaceText = o->replaceText;
  }
}

bool CFroReplace::DoApply(std::string_view name, std::string_view, std::string& out) {
  if (findText.empty()) {
    out += name;
    return true;
  }
  size_t pos = 0;
  while (true) {
    size_t hit = name.find(findText, pos);
    if (hit == std::string_view::npos) break;
    out.append(name.substr(pos, hit - pos));
    out += replaceText;
    pos = hit + findText.size();
  }
  out.append(name.substr(pos));
  return true;
}
