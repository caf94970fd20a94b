#include "renamer/FroCapitalize.h"

#include "renamer/WordStartCase.h"

bool CFroCapitalize::DoApply(std::string_view name, std::string_view, std::string& out) {
  out += ChangeWordStartCase(name, true);
  return true;
}
