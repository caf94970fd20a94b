#include "AfrScript.h"

#include "afr/AfrIfCondRegExFind.h"
#include "afr/AfrRegistry.h"
#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"

namespace {
constexpr int32_t kFileVersion = 1;
}

std::vector<std::string> CAfrScript::GetLines() const {
  std::vector<std::string> lines;
  for (size_t i = 0; i < rules.size(); ++i) lines.push_back(rules[i]->GetText(static_cast<int>(i + 1)));
  return lines;
}

void CAfrScript::WriteTo(CArchiveWriter& out) const {
  out.WriteInt(kFileVersion);
  out.WriteInt(static_cast<int32_t>(rules.size()));
  for (const auto& rule : rules) {
    out.WriteInt(rule->enabled);
    out.WriteObjectClass(rule->condition->ClassName());
    rule->condition->Write(out);
    out.WriteInt(static_cast<int32_t>(rule->actions.size()));
    for (const auto& action : rule->actions) {
      out.WriteObjectClass(action->ClassName());
      action->Write(out);
    }
  }
}

bool CAfrScript::ReadFrom(CArchiveReader& in, const InvalidRegexHandler& onInvalidRegex) {
  if (in.ReadInt() != kFileVersion) return false;
  // Counts are not trusted: every rule and action read needs bytes that must be there, so a
  // huge count ends with the past-its-end error, and nothing is reserved up front.
  const int32_t ruleCount = in.ReadInt();
  for (int32_t r = 0; r < ruleCount; ++r) {
    auto rule = std::make_unique<CAfrRule>();
    rule->enabled = in.ReadInt();
    rule->condition = CreateAfrIfCond(in.ReadObjectClass(IsAfrIfCondClass));
    rule->condition->Read(in);
    if (auto* re = dynamic_cast<CAfrIfCondRegExFind*>(rule->condition.get()); re && !re->IsCompiled()) {
      if (onInvalidRegex) onInvalidRegex(*re);
    }
    const int32_t actionCount = in.ReadInt();
    for (int32_t a = 0; a < actionCount; ++a) {
      auto action = CreateAfrAction(in.ReadObjectClass(IsAfrActionClass));
      action->Read(in);
      rule->actions.push_back(std::move(action));
    }
    rules.push_back(std::move(rule));
  }
  return true;
}

bool CAfrScript::Save(const std::string& path, std::string* message) {
  CArchiveWriter out;
  WriteTo(out);
  if (!out.SaveToFile(path, message)) return false;
  changed_ = false;
  return true;
}

AfrLoadResult CAfrScript::Load(const std::string& path, const InvalidRegexHandler& onInvalidRegex) {
  AfrLoadResult result;
  int err = 0;
  auto in = CArchiveReader::Open(path, &err);
  if (!in) {
    result.status = AfrLoadResult::kCannotOpen;
    result.message = qv::archive::UnableToReadText(path);
    return result;
  }
  changed_ = false;
  rules.clear();
  try {
    if (!ReadFrom(*in, onInvalidRegex)) {
      result.status = AfrLoadResult::kIncompatibleVersion;
      result.message = qv::archive::IncompatibleVersionText(path);
    }
  } catch (const CArchiveException& e) {
    result.status = AfrLoadResult::kError;
    result.message = qv::archive::LoadErrorText(path, e.Description());
  }
  return result;
}
