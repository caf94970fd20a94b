#include "AfrActionAddLineNumber.h"

#include "afr/AfrEditor.h"
#include "afr/AfrText.h"
#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"
#include "core/FileFilter.h"

void CAfrActionAddLineNumber::SetFormat(std::string typed) {
  expanded_ = ExpandEscapes(typed);
  typed_ = std::move(typed);
}

void CAfrActionAddLineNumber::Write(CArchiveWriter& out) const { out.WriteString(typed_); }

void CAfrActionAddLineNumber::Read(CArchiveReader& in) {
  SetFormat(in.ReadString());
  initialized = 1;
}

int CAfrActionAddLineNumber::Edit(IAfrEditor& editor) { return AfrEditOnCopy(*this, editor); }

void CAfrActionAddLineNumber::CopyFrom(const CAfrAction& other) {
  initialized = other.initialized;
  if (auto* o = dynamic_cast<const CAfrActionAddLineNumber*>(&other)) SetFormat(o->typed_);
}

void CAfrActionAddLineNumber::DoApply(std::string_view t, std::string& out, CAfrIfCond& cond,
                                      CAfrProgress& progress, long long& changes) {
  long long n = 1;
  SearchLoop(t, out, cond, progress, [&](size_t c, size_t ms, size_t me) {
    size_t ls = qv::afr::MatchingLineStart(t, c, ms);
    size_t le = qv::afr::LineEnd(t, me);
    if (le < t.size()) ++le;
    out.append(t.data() + c, ls - c);
    qv::afr::AppendNumberText(out, expanded_, n++);
    out.append(t.data() + ls, le - ls);
    ++changes;
    return le;
  });
}
