// The callbacks plug-ins register, and their delivery. Delivery walks a snapshot and checks each entry is
// still registered right before calling it: a callback may register, withdraw or unload others (or
// itself) and call back into the host while the walk is on.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "TsxApi5.h"

namespace hostsim {

template <class Callback>
class PluginRegistry {
 public:
  void Set(int plugId, Callback callback) {
    if (callback) {
      byPlugin_[plugId] = callback;
    } else {
      byPlugin_.erase(plugId);
    }
  }
  bool Has(int plugId) const { return byPlugin_.count(plugId) != 0; }
  void Drop(int plugId) { byPlugin_.erase(plugId); }

  template <class... Args>
  void Fire(Args... args) const {
    std::vector<std::pair<int, Callback>> snapshot(byPlugin_.begin(), byPlugin_.end());
    for (auto [plugId, callback] : snapshot) {
      auto it = byPlugin_.find(plugId);
      if (it != byPlugin_.end() && it->second == callback) callback(args...);
    }
  }

 private:
  std::map<int, Callback> byPlugin_;  // ordered, so delivery order is the plug-in id order
};

class Notifier {
 public:
  static constexpr int kCategories = 4;

  PluginRegistry<tsxSelectionChangedCallback> selection;
  PluginRegistry<tsxObjectDestroyCallback> destroy;
  PluginRegistry<tsxActiveTimeChangedCallback> activeTime;
  PluginRegistry<tsxCurrobjMoveCallback> objectMove;

  // 0 when the category is out of range or (withdrawing) the callback was not registered.
  int RegisterEvent(int category, tsxEventCallback callback, bool add);
  int EventCount(int category) const;
  void FireEvent(int category, void* data) const;
  // Drops every registration made under the id, and every event callback whose code lies in module.
  void DropPlugin(int plugId, HMODULE module);

 private:
  std::vector<tsxEventCallback> events_[kCategories];
};

}  // namespace hostsim
