#include "AfrActionRemoveCharRangeFromLine.h"

#include <algorithm>

#include "afr/AfrEditor.h"
#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"

void CAfrActionRemoveCharRangeFromLine::Write(CArchiveWriter& out) const {
  out.WriteInt(from_);
  out.WriteInt(to_);
}

void CAfrActionRemoveCharRangeFromLine::Read(CArchiveReader& in) {
  SetFrom(in.ReadInt());
  SetTo(in.ReadInt());
  initialized = 1;
}

std::string CAfrActionRemoveCharRangeFromLine::GetDescription() const {
  return "Delete characters from position " + std::to_string(from_) + " to " + std::to_string(to_);
}

int CAfrActionRemoveCharRangeFromLine::Edit(IAfrEditor& editor) { return AfrEditOnCopy(*this, editor); }

void CAfrActionRemoveCharRangeFromLine::CopyFrom(const CAfrAction& other) {
  initialized = other.initialized;
  if (auto* o = dynamic_cast<const CAfrActionRemoveCharRangeFromLine*>(&other)) {
    SetFrom(o->from_);
    SetTo(o->to_);
  }
}

void CAfrActionRemoveCharRangeFromLine::DoApply(std::string_view t, std::string& out, CAfrIfCond& cond,
                                                CAfrProgress& progress, long long& changes) {
  // A file can hold a "from" below 1 (counted as 1) and a "to" below "from" (nothing to remove).
  const long long from = std::max(from_, 1);
  const long long to = to_;
  LineLoop(t, cond, progress, [&](size_t s, size_t q, bool matched) {
    const bool hasLf = q < t.size();
    const long long len = static_cast<long long>(q - s);
    if (!matched || to < from || from - 1 >= len) {
      out.append(t.data() + s, q - s + hasLf);
      return;
    }
    const size_t keepHead = static_cast<size_t>(from - 1);
    const size_t tailFrom = static_cast<size_t>(std::min(to, len));
    out.append(t.data() + s, keepHead);
    out.append(t.data() + s + tailFrom, q - s - tailFrom + hasLf);
    ++changes;
  });
}
