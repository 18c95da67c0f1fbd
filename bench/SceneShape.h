// The tree the panel is meant to show for the simulator's current scene, read through the host interface
// (outside any timing): one entry per item in pre-order, the root "Scene" first. It gives the floor its
// items and the figures their counts.
#pragma once

#include <string>
#include <vector>

#include "TsxApi5.h"

struct ShapeItem {
  int parent;  // index of the parent entry, -1 for the root
  std::string label;
  SobjHandle object;  // null for the root and for material items
};

struct SceneShape {
  std::vector<ShapeItem> items;
  int objects = 0;
  int polyhedra = 0;        // objects of the polyhedron type
  int listedPolyhedra = 0;  // polyhedra with two or more materials: the ones that get material items
  int materials = 0;        // material items
  int modelNodes = 0;       // objects for which tsxIsMNode answers 1
  std::vector<SobjHandle> topLevel;
  std::vector<SobjHandle> middleChild;  // per top-level object: its middle child object, or null
};

SceneShape ReadSceneShape();
