#pragma once
// The twelve classes an AFR script file may name, each created with its defaults.
//
//   auto cond = CreateAfrIfCond("CAfrIfCondTrue");      // nullptr for any other family or name
//   auto act = CreateAfrAction("CAfrActionDeleteLine");
#include <memory>
#include <string_view>

#include "afr/AfrAction.h"
#include "afr/AfrIfCond.h"

std::unique_ptr<CAfrIfCond> CreateAfrIfCond(std::string_view className);
std::unique_ptr<CAfrAction> CreateAfrAction(std::string_view className);
bool IsAfrIfCondClass(std::string_view className);
bool IsAfrActionClass(std::string_view className);
