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
  bool Insert(SobjHandle key, int value);
  // The value of key, -1 when absent.
  int Find(SobjHandle key) const;
  size_t Count() const { return FCount; }

 private:
  struct Slot {
    SobjHandle key;
    int value;
  };
  size_t SlotOf(SobjHandle key) const;
  void Grow();

  std::vector<Slot> FSlots;  // a power of two in size, at most four fifths full
  size_t FCount = 0;
  int FShift = 32;  // 32 - log2 of the slot count
};
