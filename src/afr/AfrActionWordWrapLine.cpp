#include "AfrActionWordWrapLine.h"

#include "afr/AfrEditor.h"
#include "afr/AfrText.h"
#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"

void CAfrActionWordWrapLine::Write(CArchiveWriter& out) const { out.WriteInt(width_); }

void CAfrActionWordWrapLine::Read(CArchiveReader& in) {
  SetWidth(in.ReadInt());
  initialized = 1;
}

int CAfrActionWordWrapLine::Edit(IAfrEditor& editor) { return AfrEditOnCopy(*this, editor); }

void CAfrActionWordWrapLine::CopyFrom(const CAfrAction& other) {
  initialized = other.initialized;
  if (auto* o = dynamic_cast<const CAfrActionWordWrapLine*>(&other)) SetWidth(o->width_);
}

void CAfrActionWordWrapLine::DoApply(std::string_view t, std::string& out, CAfrIfCond& cond, CAfrProgress& progress,
                                     long long& changes) {
  const size_t w = static_cast<size_t>(width_);
  SearchLoop(t, out, cond, progress, [&](size_t c, size_t ms, size_t me) {
    size_t ls = qv::afr::MatchingLineStart(t, c, ms);
    size_t ce = qv::afr::LineEnd(t, me);  // content end; a carriage return is content
    size_t le = ce < t.size() ? ce + 1 : ce;
    out.append(t.data() + c, ls - c);
    if (ce - ls <= w) {
      out.append(t.data() + ls, le - ls);
      return le;
    }
    const std::string_view br = qv::afr::LineBreakFor(t, ce);
    size_t s = ls;
    while (ce - s > w) {
      ++changes;
      size_t k = s + w + 1;
      while (k > s && t[k - 1] != ' ') --k;
      if (k > s) {  // the blank at k - 1 gives way to the break
        out.append(t.data() + s, k - 1 - s).append(br);
        s = k;
      } else {
        out.append(t.data() + s, w).append(br);
        s += w;
      }
    }
    out.append(t.data() + s, le - s);
    return le;
  });
}
