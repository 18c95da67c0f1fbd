// Runs an action when the scope is left, by whatever way: clean-up that must happen on every way out.
#pragma once

#include <utility>

template <class Action>
class TOnScopeExit {
 public:
  explicit TOnScopeExit(Action action) : FAction(std::move(action)) {}
  TOnScopeExit(const TOnScopeExit&) = delete;
  TOnScopeExit& operator=(const TOnScopeExit&) = delete;
  ~TOnScopeExit() { FAction(); }

 private:
  Action FAction;
};

// Raises a flag for the length of a scope: the busy guard of a path that its own calls can lead back into
// (a notification the control sends during our message, the host's callback during our host call), which
// sees the flag and stays out. The flag goes back to what it was, so guards nest.
class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : FFlag(flag), FWas(std::exchange(flag, true)) {}
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;
  ~TFlagScope() { FFlag = FWas; }

 private:
  bool& FFlag;
  bool FWas;
};
