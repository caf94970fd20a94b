#pragma once
// The six rename step classes by name, as script files name them.
//
//   auto step = CreateRenameOperation("CFroCapitalize");   // nullptr for any other name
#include <memory>
#include <string_view>
#include <vector>

#include "renamer/FileRenameOperation.h"

// A rename script: its steps in order, owned.
using RenameScript = std::vector<std::unique_ptr<CFileRenameOperation>>;

// A new step of the class in its initial state (not configured); nullptr when `className` is not
// one of the six names (exact, case-sensitive).
std::unique_ptr<CFileRenameOperation> CreateRenameOperation(std::string_view className);
bool IsRenameOperationClass(std::string_view className);
