// A map from host handles to small numbers, for the walk's loop guard and the panel's lookup of an item
// by its object. Open addressing in one array: a rebuild of a large scene makes one entry per object, and
// a node-based hash set spends more on its heap blocks than the host spends answering the walk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "TsxApi5.h"

class THandleMap {
 public:
  // Empties the map, keeping its room.
  void Clear();
  // Adds key with value; false (and no change) when key is there already. A null key is never stored.
  // Here, where the walk can have it without a call: it adds every object of a rebuild.
  bool Insert(SobjHandle key, int value) {
    if (!key) return false;
    if (5 * (FCount + 1) > 4 * FSlots.size()) Grow();
    const size_t mask = FSlots.size() - 1;
    Slot* slots = FSlots.data();
    for (size_t i = SlotOf(key);; i = (i + 1) & mask) {
      if (slots[i].key == key) return false;
      if (!slots[i].key) {
        slots[i] = Slot{key, value};
        ++FCount;
        return true;
      }
    }
  }
  // The value of key, -1 when absent.
  int Find(SobjHandle key) const;
  size_t Count() const { return FCount; }

 private:
  struct Slot {
    SobjHandle key;
    int value;
  };
  // Handles are usually made in sequence (serials, or addresses from one allocator), and the walk meets
  // them mostly in that order. Sixteen neighbouring handles share one run of sixteen slots (two cache
  // lines) and the runs are scattered by Fibonacci hashing: the walk then touches a new cache line once
  // per run instead of once per object, and a handle without an entry still ends its search within a run
  // or two.
  size_t SlotOf(SobjHandle key) const {
    auto bits = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(key));
    uint32_t run = ((bits >> 6) * 2654435769u) >> (FShift + kRunBits);
    return (static_cast<size_t>(run) << kRunBits) | ((bits >> 2) & ((1u << kRunBits) - 1));
  }
  void Grow();

  static constexpr int kRunBits = 4;
  std::vector<Slot> FSlots;  // a power of two in size, at most four fifths full
  size_t FCount = 0;
  int FShift = 32;  // 32 - log2 of the slot count
};
