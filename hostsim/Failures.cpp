#include "Failures.h"

#include <algorithm>

namespace hostsim {

void Failures::Arm(Fn fn, int nth, int mode) {
  if (fn == Fn::kCount || nth < 1) return;
  pending_.push_back({fn, calls_[static_cast<int>(fn)] + nth, mode});
}

int Failures::Due(Fn fn) {
  long long number = ++calls_[static_cast<int>(fn)];
  if (pending_.empty()) return kNone;
  int due = kNone;
  auto hit = [&](const Pending& p) { return p.fn == fn && p.callNumber == number; };
  for (const Pending& p : pending_) {
    if (hit(p)) due = std::max(due, p.mode);  // two failures on one call: throwing wins
  }
  std::erase_if(pending_, hit);
  return due;
}

}  // namespace hostsim
