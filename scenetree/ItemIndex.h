// The panel's lookup of an object's item. A rebuild lists every object once, so the walk's map from handle
// to entry, beside the item made for each entry, answers in constant time what a scan in tree order would.
// Items deleted, cleared or given other data since make the map stale: it is then made again from the
// tree, first item in tree order winning, as the scan would have it.
#pragma once

#include <vector>

#include "HandleMap.h"
#include "SceneWalk.h"
#include "TreeNodes.h"

class TItemIndex {
 public:
  // Where a rebuild's fill puts the item of every entry.
  std::vector<TTreeNode*>& Nodes() { return FNodes; }
  // Takes the walk's map for the items just filled; the walk gets the old map back to reuse.
  void Adopt(TSceneWalk& walk, const TTreeNodes& items);
  // The first item in tree order whose data is object; null when none.
  TTreeNode* Find(const TTreeNodes& items, SobjHandle object);

 private:
  void Remake(const TTreeNodes& items);

  THandleMap FEntries;
  std::vector<TTreeNode*> FNodes;  // not owned: items of the tree
  unsigned FGeneration = 0;        // the items' generation the map was made for
  bool FMade = false;
};
