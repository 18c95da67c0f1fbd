#include "HandleMap.h"

namespace {
constexpr size_t kFirstSize = 1024;
}  // namespace

void THandleMap::Clear() {
  if (FCount == 0) return;
  for (Slot& slot : FSlots) slot = Slot{nullptr, 0};
  FCount = 0;
}

// Fibonacci hashing, taking the product's high bits: handles are often aligned addresses or serials, whose
// low bits alone would crowd a few slots.
size_t THandleMap::SlotOf(SobjHandle key) const {
  auto bits = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(key));
  return static_cast<size_t>((bits * 2654435769u) >> FShift);
}

bool THandleMap::Insert(SobjHandle key, int value) {
  if (!key) return false;
  if (2 * (FCount + 1) > FSlots.size()) Grow();
  for (size_t i = SlotOf(key);; i = (i + 1) & (FSlots.size() - 1)) {
    if (FSlots[i].key == key) return false;
    if (!FSlots[i].key) {
      FSlots[i] = Slot{key, value};
      ++FCount;
      return true;
    }
  }
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
