#include "renamer/FroTolower.h"

#include "core/Utf8Case.h"

bool CFroTolower::DoApply(std::string_view name, std::string_view, std::string& out) {
  out += Utf8ToLower(name);
  return true;
}
