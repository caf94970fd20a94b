#include "AfrActionDuplicateLine.h"

#include "afr/AfrText.h"

void CAfrActionDuplicateLine::DoApply(std::string_view t, std::string& out, CAfrIfCond& cond,
                                      CAfrProgress& progress, long long& changes) {
  SearchLoop(t, out, cond, progress, [&](size_t c, size_t ms, size_t me) {
    size_t ls = qv::afr::MatchingLineStart(t, c, ms);
    size_t lf = qv::afr::LineEnd(t, me);
    out.append(t.data() + c, ls - c);
    std::string_view line = t.substr(ls, lf - ls);
    if (lf < t.size()) {
      out.append(line).append("\n").append(line).append("\n");
      ++lf;
    } else {
      std::string_view br = qv::afr::LineBreakFor(t, lf);
      out.append(line).append(br).append(line).append(br);
    }
    ++changes;
    return lf;
  });
}
