#include "renamer/FroDecapitalize.h"

#include "renamer/WordStartCase.h"

bool CFroDecapitalize::DoApply(std::string_view name, std::string_view, std::string& out) {
  out += ChangeWordStartCase(name, false);
  return true;
}
