#include "AfrAction.h"

#include <new>
#include <stdexcept>

#include "afr/AfrRegistry.h"
#include "afr/AfrText.h"

bool CAfrAction::Apply(std::string_view text, std::string& out, CAfrIfCond& condition, CAfrProgress& progress,
                       long long& changes, std::string& error) {
  if (!initialized || !SettingsUsable() || (condition.initialized && !condition.SettingsUsable())) {
    error = "Data initialization error.";
    return false;
  }
  out.clear();
  try {
    out.reserve(text.size() + text.size() / 16 + 64);
    qv::afr::AdviseHugePages(out.data(), out.capacity());
    DoApply(text, out, condition, progress, changes);
  } catch (const std::bad_alloc&) {
    out = std::string();
    error = "Error while allocating memory.";
    return false;
  } catch (const std::exception&) {
    // The regular-expression engine gives up on expressions too complex for a text.
    out = std::string();
    error = "Invalid search expression.";
    return false;
  }
  return true;
}

std::unique_ptr<CAfrAction> CAfrAction::Clone() const {
  auto copy = CreateAfrAction(ClassName());
  copy->CopyFrom(*this);
  return copy;
}
