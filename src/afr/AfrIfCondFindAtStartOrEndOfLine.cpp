#include "AfrIfCondFindAtStartOrEndOfLine.h"

#include <algorithm>

#include "afr/AfrEditor.h"
#include "afr/AfrText.h"
#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"
#include "core/FileFilter.h"

void CAfrIfCondFindAtStartOrEndOfLine::SetFindText(std::string typed) {
  expanded_ = ExpandEscapes(typed);
  typed_ = std::move(typed);
}

void CAfrIfCondFindAtStartOrEndOfLine::Write(CArchiveWriter& out) const {
  out.WriteString(typed_);
  out.WriteInt(matchCase_);
  out.WriteInt(atStart_);
}

void CAfrIfCondFindAtStartOrEndOfLine::Read(CArchiveReader& in) {
  SetFindText(in.ReadString());
  SetMatchCase(in.ReadInt());
  SetAtStart(in.ReadInt());
  initialized = 1;
}

std::string CAfrIfCondFindAtStartOrEndOfLine::GetDescription() const {
  return "If (Find \"" + typed_ + "\" at " + (atStart_ ? "start" : "end") + " of line" +
         (matchCase_ ? " [Match Case]" : "") + ")";
}

int CAfrIfCondFindAtStartOrEndOfLine::Edit(IAfrEditor& editor) { return AfrEditOnCopy(*this, editor); }

bool CAfrIfCondFindAtStartOrEndOfLine::Find(std::string_view text, size_t& start, size_t& end, bool) {
  if (start > text.size()) return false;
  end = std::min(qv::afr::LineEnd(text, start), std::min(end, text.size()));
  const size_t len = expanded_.size();
  if (!initialized || len == 0 || end < start) return false;
  if (atStart_) {
    if (len > text.size() - start || !qv::afr::BytesEqual(text.data() + start, expanded_.data(), len, matchCase_))
      return false;
    end = start + len;
    return true;
  }
  size_t b = (end > start && text[end - 1] == '\r') ? 1 : 0;
  if (end - start < b + len) return false;
  size_t from = end - b - len;
  if (!qv::afr::BytesEqual(text.data() + from, expanded_.data(), len, matchCase_)) return false;
  start = from;
  end = from + len;
  return true;
}

void CAfrIfCondFindAtStartOrEndOfLine::CopyFrom(const CAfrIfCond& other) {
  initialized = other.initialized;
  if (auto* o = dynamic_cast<const CAfrIfCondFindAtStartOrEndOfLine*>(&other)) {
    SetFindText(o->typed_);
    SetMatchCase(o->matchCase_);
    SetAtStart(o->atStart_);
  }
}
