#include "renamer/RenameScriptFile.h"

#include "core/ArchiveException.h"
#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"

void WriteRenameScript(CArchiveWriter& out, const RenameScript& script) {
  out.WriteInt(1);
  out.WriteInt(static_cast<std::int32_t>(script.size()));
  for (auto& step : script) {
    out.WriteObjectClass(step->ClassName());
    step->Serialize(out);
  }
}

bool ReadRenameScript(CArchiveReader& in, RenameScript& script) {
  if (in.ReadInt() != 1) return false;
  std::int32_t count = in.ReadInt();
  // The count is never trusted for an allocation: each step is read from the bytes that are there.
  for (std::int32_t i = 0; i < count; ++i) {
    std::string cls = in.ReadObjectClass(IsRenameOperationClass);
    auto step = CreateRenameOperation(cls);
    step->Serialize(in);  // a step cut short is dropped with the exception
    script.push_back(std::move(step));
  }
  return true;
}

RenameScriptLoadResult LoadRenameScript(const std::string& path, RenameScript& script) {
  RenameScriptLoadResult r;
  int err = 0;
  auto in = CArchiveReader::Open(path, &err);
  if (!in) {
    r.status = RenameScriptLoadResult::CannotOpen;
    r.message = qv::archive::UnableToReadText(path);
    return r;
  }
  script.clear();
  try {
    if (!ReadRenameScript(*in, script)) {
      script.clear();
      r.status = RenameScriptLoadResult::IncompatibleVersion;
      r.message = qv::archive::IncompatibleVersionText(path);
    }
  } catch (const CArchiveException& e) {
    r.status = RenameScriptLoadResult::ReadError;
    r.message = qv::archive::LoadErrorText(path, e.Description());
  }
  return r;
}

bool SaveRenameScript(const std::string& path, const RenameScript& script, std::string* message) {
  CArchiveWriter out;
  WriteRenameScript(out, script);
  return out.SaveToFile(path, message);
}
