// Injected failures: "the nth call of f, counted from when it was asked for, fails".
#pragma once

#include <array>
#include <vector>

#include "HostFunctions.h"

namespace hostsim {

class Failures {
 public:
  static constexpr int kNone = -1;

  void Arm(Fn fn, int nth, int mode);
  void Clear() { pending_.clear(); }
  // Counts one call of fn; answers the failure mode due on it, or kNone.
  int Due(Fn fn);

 private:
  struct Pending {
    Fn fn;
    long long callNumber;
    int mode;
  };
  std::array<long long, kFnCount> calls_{};
  std::vector<Pending> pending_;
};

}  // namespace hostsim
