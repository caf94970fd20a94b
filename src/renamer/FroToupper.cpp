#include "renamer/FroToupper.h"

#include "core/Utf8Case.h"

bool CFroToupper::DoApply(std::string_view name, std::string_view, std::string& out) {
  out += Utf8ToUpper(name);
  return true;
}
