#include "sim/fault_injector.h"

#include <algorithm>

namespace velmora::sim {

void FaultInjector::Inject(const Fault& fault) {
  std::lock_guard lock(mutex_);
  if (fault.count > 0) faults_.push_back(fault);
}

std::optional<Fault> FaultInjector::Take(uint8_t command) {
  std::lock_guard lock(mutex_);
  for (auto it = faults_.begin(); it != faults_.end(); ++it) {
    if (it->command && *it->command != command) continue;
    if (it->skip > 0) {
      --it->skip;
      return std::nullopt;
    }
    Fault hit = *it;
    if (--it->count <= 0) faults_.erase(it);
    return hit;
  }
  return std::nullopt;
}

bool FaultInjector::Pending() const {
  std::lock_guard lock(mutex_);
  return !faults_.empty();
}

void FaultInjector::Clear() {
  std::lock_guard lock(mutex_);
  faults_.clear();
}

}  // namespace velmora::sim
