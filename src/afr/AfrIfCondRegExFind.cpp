#include "AfrIfCondRegExFind.h"

#include "afr/AfrEditor.h"
#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"

bool CAfrIfCondRegExFind::Compile() {
  compiled_.reset();
  auto flags = boost::regex::perl | boost::regex::nosubs;
  if (!matchCase_) flags |= boost::regex::icase;
  try {
    compiled_ = std::make_unique<boost::regex>(text_, flags);
  } catch (const std::exception&) {
    compiled_.reset();
  }
  return compiled_ != nullptr;
}

void CAfrIfCondRegExFind::SetRegularExpression(std::string text) {
  text_ = std::move(text);
  Compile();
}

void CAfrIfCondRegExFind::SetMatchCase(int matchCase) {
  matchCase_ = matchCase;
  Compile();
}

void CAfrIfCondRegExFind::Write(CArchiveWriter& out) const {
  out.WriteString(text_);
  out.WriteInt(matchCase_);
}

void CAfrIfCondRegExFind::Read(CArchiveReader& in) {
  text_ = in.ReadString();
  SetMatchCase(in.ReadInt());  // compiles once, with both fields known
  initialized = 1;
}

std::string CAfrIfCondRegExFind::GetDescription() const {
  return "If (Regular Expression Find \"" + text_ + "\"" + (matchCase_ ? " [Match Case]" : "") + ")";
}

int CAfrIfCondRegExFind::Edit(IAfrEditor& editor) { return AfrEditOnCopy(*this, editor); }

bool CAfrIfCondRegExFind::Find(std::string_view text, size_t& start, size_t& end, bool first) {
  if (!initialized || start > end || end > text.size()) return false;
  if (!compiled_ && !Compile()) return false;
  auto flags = boost::match_default | boost::match_nosubs;
  if (!first) flags |= boost::regex_constants::match_not_initial_null;
  // A range that does not start the text has a character before it: `^`, `\<` and `\b` must
  // see it rather than take the range start for the text start.
  if (start > 0) flags |= boost::match_prev_avail;
  boost::match_results<const char*> m;
  const char* base = text.data();
  if (!boost::regex_search(base + start, base + end, m, *compiled_, flags)) return false;
  start = static_cast<size_t>(m[0].first - base);
  end = static_cast<size_t>(m[0].second - base);
  return true;
}

void CAfrIfCondRegExFind::CopyFrom(const CAfrIfCond& other) {
  initialized = other.initialized;
  if (auto* o = dynamic_cast<const CAfrIfCondRegExFind*>(&other)) {
    text_ = o->text_;
    SetMatchCase(o->matchCase_);
  }
}

std::string InvalidRegexText(const std::string& expression) {
  return "The regular expression \"" + expression + "\" is invalid, please correct this before continuing.";
}
