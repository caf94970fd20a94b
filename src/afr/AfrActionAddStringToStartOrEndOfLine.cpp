#include "AfrActionAddStringToStartOrEndOfLine.h"

#include "afr/AfrEditor.h"
#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"
#include "core/FileFilter.h"

void CAfrActionAddStringToStartOrEndOfLine::SetText(std::string typed) {
  expanded_ = ExpandEscapes(typed);
  typed_ = std::move(typed);
}

void CAfrActionAddStringToStartOrEndOfLine::Write(CArchiveWriter& out) const {
  out.WriteInt(prepend_);
  out.WriteString(typed_);
}

void CAfrActionAddStringToStartOrEndOfLine::Read(CArchiveReader& in) {
  SetPrepend(in.ReadInt());
  SetText(in.ReadString());
  initialized = 1;
}

std::string CAfrActionAddStringToStartOrEndOfLine::GetDescription() const {
  return prepend_ ? "Prepend line with \"" + typed_ + "\"" : "Add \"" + typed_ + "\" to end of line";
}

int CAfrActionAddStringToStartOrEndOfLine::Edit(IAfrEditor& editor) { return AfrEditOnCopy(*this, editor); }

void CAfrActionAddStringToStartOrEndOfLine::CopyFrom(const CAfrAction& other) {
  initialized = other.initialized;
  if (auto* o = dynamic_cast<const CAfrActionAddStringToStartOrEndOfLine*>(&other)) {
    SetPrepend(o->prepend_);
    SetText(o->typed_);
  }
}

void CAfrActionAddStringToStartOrEndOfLine::DoApply(std::string_view t, std::string& out, CAfrIfCond& cond,
                                                    CAfrProgress& progress, long long& changes) {
  LineLoop(t, cond, progress, [&](size_t s, size_t q, bool matched) {
    const bool hasLf = q < t.size();
    if (!matched) {
      out.append(t.data() + s, q - s + hasLf);
      return;
    }
    ++changes;
    if (prepend_) {
      out += expanded_;
      out.append(t.data() + s, q - s + hasLf);
    } else if (hasLf && q > s && t[q - 1] == '\r') {
      out.append(t.data() + s, q - 1 - s).append(expanded_).append("\r\n");
    } else if (hasLf) {
      out.append(t.data() + s, q - s).append(expanded_).append("\n");
    } else {
      out.append(t.data() + s, q - s).append(expanded_);
    }
  });
}
