#include "renamer/RenameOperationFactory.h"

#include "renamer/FroCapitalize.h"
#include "renamer/FroDecapitalize.h"
#include "renamer/FroFormat.h"
#include "renamer/FroReplace.h"
#include "renamer/FroTolower.h"
#include "renamer/FroToupper.h"

namespace {

template <class T>
std::unique_ptr<CFileRenameOperation> Make() {
  return std::make_unique<T>();
}

struct ClassEntry {
  std::string_view name;
  std::unique_ptr<CFileRenameOperation> (*create)();
};

constexpr ClassEntry kClasses[] = {
    {CFroCapitalize::kClassName, Make<CFroCapitalize>}, {CFroDecapitalize::kClassName, Make<CFroDecapitalize>},
    {CFroFormat::kClassName, Make<CFroFormat>},         {CFroReplace::kClassName, Make<CFroReplace>},
    {CFroTolower::kClassName, Make<CFroTolower>},       {CFroToupper::kClassName, Make<CFroToupper>},
};

}  // namespace

std::unique_ptr<CFileRenameOperation> CreateRenameOperation(std::string_view className) {
  for (auto& c : kClasses)
    if (c.name == className) return c.create();
  return nullptr;
}

bool IsRenameOperationClass(std::string_view className) {
  for (auto& c : kClasses)
    if (c.name == className) return true;
  return false;
}
