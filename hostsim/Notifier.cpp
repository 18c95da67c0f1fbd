#include "Notifier.h"

#include <algorithm>

namespace hostsim {

namespace {

bool InModule(const void* code, HMODULE module) {
  MEMORY_BASIC_INFORMATION info{};
  return VirtualQuery(code, &info, sizeof info) && info.AllocationBase == module;
}

}  // namespace

int Notifier::RegisterEvent(int category, tsxEventCallback callback, bool add) {
  if (category < 0 || category >= kCategories || !callback) return 0;
  auto& list = events_[category];
  auto it = std::find(list.begin(), list.end(), callback);
  if (add) {
    if (it == list.end()) list.push_back(callback);
    return 1;
  }
  if (it == list.end()) return 0;
  list.erase(it);
  return 1;
}

int Notifier::EventCount(int category) const {
  if (category < 0 || category >= kCategories) return 0;
  return static_cast<int>(events_[category].size());
}

void Notifier::FireEvent(int category, void* data) const {
  if (category < 0 || category >= kCategories) return;
  const auto& list = events_[category];
  std::vector<tsxEventCallback> snapshot = list;
  for (tsxEventCallback callback : snapshot) {
    if (std::find(list.begin(), list.end(), callback) != list.end()) callback(category, data);
  }
}

void Notifier::DropPlugin(int plugId, HMODULE module) {
  selection.Drop(plugId);
  destroy.Drop(plugId);
  activeTime.Drop(plugId);
  objectMove.Drop(plugId);
  // Event registrations carry no plug-in id; the callback's address tells whose they are.
  for (auto& list : events_) {
    std::erase_if(list,
                  [&](tsxEventCallback cb) { return InModule(reinterpret_cast<const void*>(cb), module); });
  }
}

}  // namespace hostsim
