#include "AfrTestSupport.h"

#include "afr/AfrActionAddLineNumber.h"
#include "afr/AfrActionAddStringToStartOrEndOfLine.h"
#include "afr/AfrActionChangeCase.h"
#include "afr/AfrActionDeleteLine.h"
#include "afr/AfrActionDuplicateLine.h"
#include "afr/AfrActionRemoveCharRangeFromLine.h"
#include "afr/AfrActionReplaceWith.h"
#include "afr/AfrActionWordWrapLine.h"
#include "afr/AfrIfCondFind.h"
#include "afr/AfrIfCondFindAtStartOrEndOfLine.h"
#include "afr/AfrIfCondRegExFind.h"
#include "afr/AfrIfCondTrue.h"
#include "core/ArchiveWriter.h"

namespace afrtest {

template <class T>
std::unique_ptr<T> Init(std::unique_ptr<T> p) {
  p->initialized = 1;
  return p;
}

std::unique_ptr<CAfrIfCond> Find(const std::string& text, bool matchCase) {
  auto c = std::make_unique<CAfrIfCondFind>();
  c->SetFindText(text);
  c->SetMatchCase(matchCase);
  return Init(std::move(c));
}

static std::unique_ptr<CAfrIfCond> Anchored(const std::string& text, bool matchCase, bool atStart) {
  auto c = std::make_unique<CAfrIfCondFindAtStartOrEndOfLine>();
  c->SetFindText(text);
  c->SetMatchCase(matchCase);
  c->SetAtStart(atStart);
  return Init(std::move(c));
}

std::unique_ptr<CAfrIfCond> AtStart(const std::string& text, bool matchCase) { return Anchored(text, matchCase, true); }
std::unique_ptr<CAfrIfCond> AtEnd(const std::string& text, bool matchCase) { return Anchored(text, matchCase, false); }

std::unique_ptr<CAfrIfCond> Regex(const std::string& expr, bool matchCase) {
  auto c = std::make_unique<CAfrIfCondRegExFind>();
  c->SetRegularExpression(expr);
  c->SetMatchCase(matchCase);
  return Init(std::move(c));
}

std::unique_ptr<CAfrIfCond> True() { return std::make_unique<CAfrIfCondTrue>(); }

std::unique_ptr<CAfrAction> Replace(const std::string& text) {
  auto a = std::make_unique<CAfrActionReplaceWith>();
  a->SetReplacement(text);
  return Init(std::move(a));
}

std::unique_ptr<CAfrAction> DeleteLine() { return std::make_unique<CAfrActionDeleteLine>(); }

static std::unique_ptr<CAfrAction> AddString(const std::string& text, bool prepend) {
  auto a = std::make_unique<CAfrActionAddStringToStartOrEndOfLine>();
  a->SetText(text);
  a->SetPrepend(prepend);
  return Init(std::move(a));
}

std::unique_ptr<CAfrAction> Prepend(const std::string& text) { return AddString(text, true); }
std::unique_ptr<CAfrAction> Append(const std::string& text) { return AddString(text, false); }

std::unique_ptr<CAfrAction> RemoveRange(int from, int to) {
  auto a = std::make_unique<CAfrActionRemoveCharRangeFromLine>();
  a->SetFrom(from);
  a->SetTo(to);
  return Init(std::move(a));
}

std::unique_ptr<CAfrAction> Duplicate() { return std::make_unique<CAfrActionDuplicateLine>(); }

std::unique_ptr<CAfrAction> Wrap(int width) {
  auto a = std::make_unique<CAfrActionWordWrapLine>();
  a->SetWidth(width);
  return Init(std::move(a));
}

std::unique_ptr<CAfrAction> Number(const std::string& format) {
  auto a = std::make_unique<CAfrActionAddLineNumber>();
  a->SetFormat(format);
  return Init(std::move(a));
}

std::unique_ptr<CAfrAction> Case(int mode) {
  auto a = std::make_unique<CAfrActionChangeCase>();
  a->SetMode(mode);
  return a;
}

std::unique_ptr<CAfrRule> Rule(std::unique_ptr<CAfrIfCond> cond, std::unique_ptr<CAfrAction> action, int enabled) {
  auto r = std::make_unique<CAfrRule>();
  r->enabled = enabled;
  r->condition = std::move(cond);
  if (action) r->actions.push_back(std::move(action));
  return r;
}

std::string Bytes(std::initializer_list<int> v) {
  std::string s;
  for (int b : v) s += static_cast<char>(b);
  return s;
}

std::string ScriptBytes(const CAfrScript& script) {
  CArchiveWriter out;
  script.WriteTo(out);
  return out.Bytes();
}

}  // namespace afrtest
