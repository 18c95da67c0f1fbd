#include "ItemIndex.h"

void TItemIndex::Adopt(TSceneWalk& walk, const TTreeNodes& items) {
  walk.SwapEntries(FEntries);
  FGeneration = items.Generation();
  FMade = true;
}

TTreeNode* TItemIndex::Find(const TTreeNodes& items, SobjHandle object) {
  if (!FMade || FGeneration != items.Generation()) Remake(items);
  int entry = FEntries.Find(object);
  // A walk cut short by a failing host call may list an object whose item was never made or never got
  // its data.
  if (entry < 0 || entry >= static_cast<int>(FNodes.size())) return nullptr;
  TTreeNode* node = FNodes[entry];
  return node && node->Data() == object ? node : nullptr;
}

void TItemIndex::Remake(const TTreeNodes& items) {
  FEntries.Clear();
  FNodes.clear();
  for (TTreeNode* node = items.GetFirstNode(); node; node = node->GetNext()) {
    auto object = static_cast<SobjHandle>(node->Data());
    if (FEntries.Insert(object, static_cast<int>(FNodes.size()))) FNodes.push_back(node);
  }
  FGeneration = items.Generation();
  FMade = true;
}
