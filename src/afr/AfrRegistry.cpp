#include "AfrRegistry.h"

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

namespace {

template <class Base, class T>
std::unique_ptr<Base> Make() {
  return std::make_unique<T>();
}

template <class Base>
struct Entry {
  std::string_view name;
  std::unique_ptr<Base> (*create)();
};

const Entry<CAfrIfCond> kConditions[] = {
    {CAfrIfCondFind::kClassName, Make<CAfrIfCond, CAfrIfCondFind>},
    {CAfrIfCondTrue::kClassName, Make<CAfrIfCond, CAfrIfCondTrue>},
    {CAfrIfCondFindAtStartOrEndOfLine::kClassName, Make<CAfrIfCond, CAfrIfCondFindAtStartOrEndOfLine>},
    {CAfrIfCondRegExFind::kClassName, Make<CAfrIfCond, CAfrIfCondRegExFind>},
};

const Entry<CAfrAction> kActions[] = {
    {CAfrActionReplaceWith::kClassName, Make<CAfrAction, CAfrActionReplaceWith>},
    {CAfrActionDeleteLine::kClassName, Make<CAfrAction, CAfrActionDeleteLine>},
    {CAfrActionAddStringToStartOrEndOfLine::kClassName, Make<CAfrAction, CAfrActionAddStringToStartOrEndOfLine>},
    {CAfrActionRemoveCharRangeFromLine::kClassName, Make<CAfrAction, CAfrActionRemoveCharRangeFromLine>},
    {CAfrActionDuplicateLine::kClassName, Make<CAfrAction, CAfrActionDuplicateLine>},
    {CAfrActionWordWrapLine::kClassName, Make<CAfrAction, CAfrActionWordWrapLine>},
    {CAfrActionAddLineNumber::kClassName, Make<CAfrAction, CAfrActionAddLineNumber>},
    {CAfrActionChangeCase::kClassName, Make<CAfrAction, CAfrActionChangeCase>},
};

template <class Base, size_t N>
std::unique_ptr<Base> Create(const Entry<Base> (&table)[N], std::string_view name) {
  for (const auto& e : table)
    if (e.name == name) return e.create();
  return nullptr;
}

}  // namespace

std::unique_ptr<CAfrIfCond> CreateAfrIfCond(std::string_view className) { return Create(kConditions, className); }
std::unique_ptr<CAfrAction> CreateAfrAction(std::string_view className) { return Create(kActions, className); }

bool IsAfrIfCondClass(std::string_view className) {
  for (const auto& e : kConditions)
    if (e.name == className) return true;
  return false;
}

bool IsAfrActionClass(std::string_view className) {
  for (const auto& e : kActions)
    if (e.name == className) return true;
  return false;
}
