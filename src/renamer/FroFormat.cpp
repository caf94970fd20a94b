#include "renamer/FroFormat.h"

#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"
#include "listprinter/ListFormat.h"

void CFroFormat::Serialize(CArchiveWriter& out) const {
  CFileRenameOperation::Serialize(out);
  out.WriteString(format);
  out.WriteInt(index);
  out.WriteInt(increment);
  out.WriteInt(leaveExtension ? 1 : 0);
}

void CFroFormat::Serialize(CArchiveReader& in) {
  CFileRenameOperation::Serialize(in);
  format = in.ReadString();
  index = in.ReadInt();
  increment = in.ReadInt();
  leaveExtension = in.ReadInt() != 0;
}

void CFroFormat::BeginRun() {
  CFileRenameOperation::BeginRun();
  savedIndex = index;
}

void CFroFormat::EndRun() {
  if (running) index = savedIndex;
  CFileRenameOperation::EndRun();
}

std::string CFroFormat::GetDescription() const {
  return "\"" + format + "\", Index: " + std::to_string(index) + ", Incr: " + std::to_string(increment) +
         ", LeaveExt: " + (leaveExtension ? "True" : "False");
}

void CFroFormat::SetValues(const FormatStepValues& v) {
  format = v.format;
  index = v.index;
  increment = v.increment;
  leaveExtension = v.leaveExtension;
}

bool CFroFormat::Edit(IRenameStepEditor& editor) {
  FormatStepValues v = Values();
  if (!editor.EditFormat(v)) return false;
  SetValues(v);
  configured = true;
  return true;
}

void CFroFormat::CopyFrom(const CFileRenameOperation& other) {
  CFileRenameOperation::CopyFrom(other);
  if (auto* o = dynamic_cast<const CFroFormat*>(&other)) SetValues(o->Values());
}

void CFroFormat::AutoFill(std::string_view fileName) {
  autoFillName = std::string(fileName);
  SetValues(AutoFillFormatValues(fileName));
}

bool CFroFormat::DoApply(std::string_view name, std::string_view folder, std::string& out) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  std::string expanded;
  if (!ExpandListFormat(expanded, index, format, &path, leaveExtension, false)) return false;
  for (char& c : expanded)
    if (c == '\\' || c == ':' || c == '/') c = '_';
  out += expanded;
  // Wraps around instead of overflowing, as the 32-bit index always did.
  index = static_cast<std::int32_t>(static_cast<std::uint32_t>(index) + static_cast<std::uint32_t>(increment));
  return true;
}

FormatStepValues AutoFillFormatValues(std::string_view name) {
  size_t dot = name.rfind('.');
  std::ptrdiff_t start = dot == std::string_view::npos ? static_cast<std::ptrdiff_t>(name.size()) - 1
                                                      : static_cast<std::ptrdiff_t>(dot) - 1;
  std::ptrdiff_t q = start;
  while (q >= 0 && name[q] >= '0' && name[q] <= '9') --q;
  size_t digits = static_cast<size_t>(start - q);
  std::string prefix(name.substr(0, static_cast<size_t>(q + 1)));

  FormatStepValues v;
  v.increment = 1;
  v.leaveExtension = true;
  if (digits > 0) {
    v.format = prefix + "%i\"" + std::to_string(digits) + "\"";
    // A run of digits too long for the index starts at the largest index that still leaves room
    // for the next number.
    std::int64_t value = 0;
    for (size_t i = static_cast<size_t>(q + 1); i <= static_cast<size_t>(start); ++i) {
      value = value * 10 + (name[i] - '0');
      if (value > INT32_MAX - 1) value = INT32_MAX - 1;
    }
    v.index = static_cast<std::int32_t>(value + 1);
  } else {
    v.format = prefix + " %i";
    v.index = 1;
  }
  return v;
}

std::string FormatDialogSample(std::string_view format, std::int32_t startIndex, bool leaveExtension) {
  static const std::string kSamplePath = "sample filename.ext";
  std::string out;
  if (!ExpandListFormat(out, startIndex, format, &kSamplePath, leaveExtension, false)) return "Error";
  return out;
}
