// The floor: the same items put into a fresh tree-view control of our own the way a plain program does it,
// one TVM_INSERTITEM per item, children under their parents at TVI_LAST, with redrawing suspended (which
// only makes the floor lower, the comparison stricter).
#pragma once

#include <windows.h>

#include "SceneShape.h"

class FloorTree {
 public:
  FloorTree();
  ~FloorTree();
  FloorTree(const FloorTree&) = delete;
  FloorTree& operator=(const FloorTree&) = delete;

  HWND Tree() const { return FTree; }
  // Inserts items [0, count) of the shape (all of them for count < 0); the control's item count after.
  int Fill(const SceneShape& shape, int count = -1);

 private:
  HWND FFrame = nullptr;
  HWND FTree = nullptr;
};
