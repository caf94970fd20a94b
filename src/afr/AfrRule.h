#pragma once
// One rule of an AFR script: an if-condition and its actions (the editor makes exactly one;
// a file may hold more, and then only the first is applied).
//
//   CAfrRule rule;
//   rule.condition = std::make_unique<CAfrIfCondTrue>();
//   rule.actions.push_back(std::make_unique<CAfrActionDeleteLine>());
//   rule.GetText(1);   // "1. If (True) then (Delete line)"
#include <memory>
#include <string>
#include <vector>

#include "afr/AfrAction.h"
#include "afr/AfrIfCond.h"

class CAfrRule {
 public:
  // The rule's line in the script list: "%i. <condition> then (<actions>)".
  std::string GetText(int number) const;
  // A copy with new objects of the same classes filled by CopyFrom, and the same enabled value.
  std::unique_ptr<CAfrRule> Duplicate() const;

  int enabled = 1;  // 0: skipped when the script runs
  std::unique_ptr<CAfrIfCond> condition;
  std::vector<std::unique_ptr<CAfrAction>> actions;
};
