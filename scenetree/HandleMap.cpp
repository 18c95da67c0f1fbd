#include "HandleMap.h"

namespace {
constexpr size_t kFirstSize = 1024;
constexpr int kRunBits = 4;
}  // namespace

void THandleMap::Clear() {
  if (FCount == 0) return;
  for (Slot& slot : FSlots) slot = Slot{nullptr, 0};
  FCount = 0;
}

// Handles are usually made in sequence (serials, or addresses from one allocator), and the walk meets them
// mostly in that order. Sixteen neighbouring handles share one run of sixteen slots (two cache lines) and
// the runs are scattered by Fibonacci hashing: the walk then touches a new cache line once per run instead
// of once per object, and a handle without an entry still ends its search within a run or two.
size_t THandleMap::SlotOf(SobjHandle key) const {
  auto bits = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(key));
  uint32_t run = ((bits >> 6) * 2654435769u) >> (FShift + kRunBits);
  return (static_cast<size_t>(run) << kRunBits) | ((bits >> 2) & ((1u << kRunBits) - 1));
}

bool THandleMap::Insert(SobjHandle key, int value) {
  if (!key) return false;
  if (5 * (FCount + 1) > 4 * FSlots.size()) Grow();
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
