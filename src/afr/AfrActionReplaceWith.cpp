#include "AfrActionReplaceWith.h"

#include "afr/AfrEditor.h"
#include "afr/AfrText.h"
#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"
#include "core/FileFilter.h"

void CAfrActionReplaceWith::SetReplacement(std::string typed) {
  expanded_ = ExpandEscapes(typed);
  typed_ = std::move(typed);
}

void CAfrActionReplaceWith::Write(CArchiveWriter& out) const { out.WriteString(typed_); }

void CAfrActionReplaceWith::Read(CArchiveReader& in) {
  SetReplacement(in.ReadString());
  initialized = 1;
}

int CAfrActionReplaceWith::Edit(IAfrEditor& editor) { return AfrEditOnCopy(*this, editor); }

void CAfrActionReplaceWith::CopyFrom(const CAfrAction& other) {
  initialized = other.initialized;
  if (auto* o = dynamic_cast<const CAfrActionReplaceWith*>(&other)) SetReplacement(o->typed_);
}

void CAfrActionReplaceWith::DoApply(std::string_view t, std::string& out, CAfrIfCond& cond, CAfrProgress& progress,
                                    long long& changes) {
  const bool anchored = cond.IsLineAnchored();
  SearchLoop(t, out, cond, progress, [&](size_t c, size_t ms, size_t me) {
    out.append(t.data() + c, ms - c);
    out += expanded_;
    ++changes;
    if (!anchored) return me;
    // One match per line: the rest of the line goes out as it is.
    size_t le = qv::afr::LineEnd(t, me);
    if (le < t.size()) ++le;
    out.append(t.data() + me, le - me);
    return le;
  });
}
