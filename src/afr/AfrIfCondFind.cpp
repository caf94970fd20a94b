#include "AfrIfCondFind.h"

#include <algorithm>
#include <cstring>

#include "afr/AfrEditor.h"
#include "afr/AfrText.h"
#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"
#include "core/FileFilter.h"

void CAfrIfCondFind::SetFindText(std::string typed) {
  expanded_ = ExpandEscapes(typed);
  typed_ = std::move(typed);
}

void CAfrIfCondFind::Write(CArchiveWriter& out) const {
  out.WriteString(typed_);
  out.WriteInt(matchCase_);
}

void CAfrIfCondFind::Read(CArchiveReader& in) {
  SetFindText(in.ReadString());
  SetMatchCase(in.ReadInt());
  initialized = 1;
}

std::string CAfrIfCondFind::GetDescription() const {
  return "If (Find \"" + typed_ + "\"" + (matchCase_ ? " [Match Case]" : "") + ")";
}

int CAfrIfCondFind::Edit(IAfrEditor& editor) { return AfrEditOnCopy(*this, editor); }

bool CAfrIfCondFind::Find(std::string_view text, size_t& start, size_t& end, bool) {
  const size_t len = expanded_.size();
  if (!initialized || len == 0 || start > text.size() || len > text.size() - start) return false;
  // Candidates q run from start to end and must have len bytes inside the text.
  const size_t last = std::min(end, text.size() - len);
  if (start > last) return false;
  const char* base = text.data();
  const char* pat = expanded_.data();
  if (matchCase_) {
    const void* hit = ::memmem(base + start, last - start + len, pat, len);
    if (!hit) return false;
    start = static_cast<size_t>(static_cast<const char*>(hit) - base);
  } else {
    // Candidates start with either case of the first byte: two memchr streams, always taking
    // the nearer one, keep the scan at memchr speed.
    const unsigned char f = static_cast<unsigned char>(pat[0]);
    const bool letter = (f | 0x20) >= 'a' && (f | 0x20) <= 'z';
    const char lo = static_cast<char>(letter ? (f | 0x20) : f);
    const char up = static_cast<char>(letter ? (f & ~0x20) : f);
    const char* endScan = base + last + 1;
    auto next = [&](const char* from, char ch) {
      const void* p = from < endScan ? std::memchr(from, ch, static_cast<size_t>(endScan - from)) : nullptr;
      return p ? static_cast<const char*>(p) : endScan;
    };
    const char* nl = next(base + start, lo);
    const char* nu = letter ? next(base + start, up) : endScan;
    while (true) {
      const char* q = nl < nu ? nl : nu;
      if (q >= endScan) return false;
      if (qv::afr::BytesEqual(q, pat, len, false)) {
        start = static_cast<size_t>(q - base);
        break;
      }
      if (q == nl) nl = next(q + 1, lo);
      if (q == nu) nu = letter ? next(q + 1, up) : endScan;
    }
  }
  end = start + len;
  return true;
}

void CAfrIfCondFind::CopyFrom(const CAfrIfCond& other) {
  initialized = other.initialized;
  if (auto* o = dynamic_cast<const CAfrIfCondFind*>(&other)) {
    SetFindText(o->typed_);
    SetMatchCase(o->matchCase_);
  }
}
