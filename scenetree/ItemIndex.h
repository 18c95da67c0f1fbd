// The panel's lookup of an object's item. A rebuild lists every object once, so the walk's map from handle
// to entry, and the fill's item for each entry (made on the way if its branch was waiting), answer in
// constant time what a scan in tree order would. Items deleted, cleared or given other data since make
// that stale: the map is then made again from the tree, first item in tree order winning, as the scan
// would have it.
#pragma once

#include <vector>

#include "HandleMap.h"
#include "SceneWalk.h"
#include "TreeFill.h"
#include "TreeNodes.h"

class TItemIndex {
 public:
  // The items just filled from walk by fill.
  void Adopt(const TSceneWalk& walk, TWalkFill& fill, const TTreeNodes& items);
  // The first item in tree order whose data is object; null when none.
  TTreeNode* Find(const TTreeNodes& items, SobjHandle object);

 private:
  void Remake(const TTreeNodes& items);

  const TSceneWalk* FWalk = nullptr;  // not owned; null once the map is made from the tree
  TWalkFill* FFill = nullptr;         // not owned
  THandleMap FEntries;                // made from the tree: each object's place in FNodes
  std::vector<TTreeNode*> FNodes;     // not owned: items of the tree
  unsigned FGeneration = 0;           // the items' generation the answers are for
  bool FMade = false;
};
