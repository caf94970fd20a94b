#include "AfrActionChangeCase.h"

#include "afr/AfrEditor.h"
#include "afr/AfrText.h"
#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"

namespace {

bool IsLower(unsigned char b) { return b >= 'a' && b <= 'z'; }
bool IsUpper(unsigned char b) { return b >= 'A' && b <= 'Z'; }
bool IsBlank(unsigned char b) { return b == ' ' || (b >= '\t' && b <= '\r'); }

}  // namespace

void CAfrActionChangeCase::Write(CArchiveWriter& out) const { out.WriteInt(mode_); }

void CAfrActionChangeCase::Read(CArchiveReader& in) {
  SetMode(in.ReadInt());
  initialized = 1;
}

std::string CAfrActionChangeCase::GetDescription() const {
  switch (mode_) {
    case kUpper: return "Change case: all to uppercase";
    case kLower: return "Change case: all to lowercase";
    case kCapitalizeWords: return "Change case: capitalize words";
    case kMakeSentences: return "Change case: make sentences";
    default: return "Change case: unknown mode " + std::to_string(mode_);
  }
}

int CAfrActionChangeCase::Edit(IAfrEditor& editor) { return AfrEditOnCopy(*this, editor); }

void CAfrActionChangeCase::CopyFrom(const CAfrAction& other) {
  initialized = other.initialized;
  if (auto* o = dynamic_cast<const CAfrActionChangeCase*>(&other)) SetMode(o->mode_);
}

void CAfrActionChangeCase::DoApply(std::string_view t, std::string& out, CAfrIfCond& cond, CAfrProgress& progress,
                                   long long& changes) {
  bool sentenceStart = true;  // make sentences: carries over from one matching line to the next
  SearchLoop(t, out, cond, progress, [&](size_t c, size_t ms, size_t me) {
    size_t ls = qv::afr::MatchingLineStart(t, c, ms);
    size_t le = qv::afr::LineEnd(t, me);
    if (le < t.size()) ++le;
    out.append(t.data() + c, ls - c);
    bool wordStart = true;
    for (size_t i = ls; i < le; ++i) {
      unsigned char b = static_cast<unsigned char>(t[i]);
      unsigned char r = b;
      switch (mode_) {
        case kUpper:
          if (IsLower(b)) r = b - 32;
          break;
        case kLower:
          if (IsUpper(b)) r = b + 32;
          break;
        case kCapitalizeWords:
          if (wordStart && IsLower(b)) r = b - 32;
          wordStart = qv::afr::IsWordSeparatorAt(t, i);
          break;
        case kMakeSentences:
          if (sentenceStart && IsLower(b)) r = b - 32;
          if (b == '.' || b == '!' || b == '?')
            sentenceStart = true;
          else if (!IsBlank(b))
            sentenceStart = false;
          break;
      }
      if (r != b) ++changes;
      out += static_cast<char>(r);
    }
    return le;
  });
}
