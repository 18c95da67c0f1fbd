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
