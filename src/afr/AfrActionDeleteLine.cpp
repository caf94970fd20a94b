#include "AfrActionDeleteLine.h"

#include "afr/AfrText.h"

void CAfrActionDeleteLine::DoApply(std::string_view t, std::string& out, CAfrIfCond& cond, CAfrProgress& progress,
                                   long long& changes) {
  SearchLoop(t, out, cond, progress, [&](size_t c, size_t ms, size_t me) {
    size_t ls = qv::afr::MatchingLineStart(t, c, ms);
    size_t le = qv::afr::LineEnd(t, me);
    if (le < t.size()) ++le;
    out.append(t.data() + c, ls - c);
    ++changes;
    return le;
  });
}
