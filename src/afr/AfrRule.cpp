#include "AfrRule.h"

std::string CAfrRule::GetText(int number) const {
  std::string text = std::to_string(number) + ". " + (condition ? condition->GetDescription() : std::string()) +
                     " then (";
  for (const auto& a : actions) text += a->GetDescription();
  return text + ")";
}

std::unique_ptr<CAfrRule> CAfrRule::Duplicate() const {
  auto copy = std::make_unique<CAfrRule>();
  copy->enabled = enabled;
  if (condition) copy->condition = condition->Clone();
  for (const auto& a : actions) copy->actions.push_back(a->Clone());
  return copy;
}
