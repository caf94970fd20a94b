#include "FileRenameOperation.h"

#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"

void CFileRenameOperation::Serialize(CArchiveWriter& out) const { out.WriteInt(enabled ? 1 : 0); }

void CFileRenameOperation::Serialize(CArchiveReader& in) {
  enabled = in.ReadInt() != 0;
  configured = true;
}

bool CFileRenameOperation::Apply(std::string_view name, std::string_view folder, std::string& out) {
  if (!configured) return false;
  return DoApply(name, folder, out);
}

bool CFileRenameOperation::Edit(IRenameStepEditor&) {
  configured = true;
  return true;
}

void CFileRenameOperation::CopyFrom(const CFileRenameOperation& other) {
  configured = other.configured;
  running = other.running;
  enabled = other.enabled;
}
