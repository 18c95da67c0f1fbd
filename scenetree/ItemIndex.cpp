#include "ItemIndex.h"

void TItemIndex::Adopt(const TSceneWalk& walk, TWalkFill& fill, const TTreeNodes& items) {
  FWalk = &walk;
  FFill = &fill;
  FEntries.Clear();
  FNodes.clear();
  FGeneration = items.Generation();
  FMade = true;
}

TTreeNode* TItemIndex::Find(const TTreeNodes& items, SobjHandle object) {
  if (!FMade || FGeneration != items.Generation()) Remake(items);
  TTreeNode* node = nullptr;
  if (FWalk) {
    node = FFill->NodeOf(FWalk->Entries().Find(object));
  } else {
    int index = FEntries.Find(object);
    node = index >= 0 ? FNodes[index] : nullptr;
  }
  // A walk cut short by a failing host call may list an object whose item never got its data.
  return node && node->Data() == object ? node : nullptr;
}

void TItemIndex::Remake(const TTreeNodes& items) {
  FWalk = nullptr;
  FEntries.Clear();
  FNodes.clear();
  for (TTreeNode* node = items.GetFirstNode(); node; node = node->GetNext()) {
    auto object = static_cast<SobjHandle>(node->Data());
    if (FEntries.Insert(object, static_cast<int>(FNodes.size()))) FNodes.push_back(node);
  }
  FGeneration = items.Generation();
  FMade = true;
}
