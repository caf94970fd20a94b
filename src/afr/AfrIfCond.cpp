#include "AfrIfCond.h"

#include "afr/AfrRegistry.h"

std::unique_ptr<CAfrIfCond> CAfrIfCond::Clone() const {
  auto copy = CreateAfrIfCond(ClassName());
  copy->CopyFrom(*this);
  return copy;
}
