#include "HandleMap.h"

namespace {
constexpr size_t kFirstSize = 1024;
}  // namespace

void THandleMap::Clear() {
  if (FCount == 0) return;
  for (Slot& slot : FSlots) slot = Slot{nullptr, 0};
  FCount = 0;
}

int THandleMap::Find(SobjHandle key) const {
  if (!key || FSlots.empty()) return -1;
  for (size_t i = SlotOf(key);; i = (i + 1) & (FSlots.size() - 1)) {
    if (FSlots[i].key == key) return FSlots[i].value;
    if (!FSlots[i].key) return -1;
  }
}

void THandleMap::Grow() {
  std::vector<Slot> old;
  old.swap(FSlots);
  FSlots.assign(old.empty() ? kFirstSize : 2 * old.size(), Slot{nullptr, 0});
  FShift = 32;
  for (size_t size = FSlots.size(); size > 1; size /= 2) --FShift;
  FCount = 0;
  for (const Slot& slot : old)
    if (slot.key) Insert(slot.key, slot.value);
}
