// A clear inside an update keeps the control's items for the new items to take over, place by place,
// when the control is brought up to date. Most rebuilds show what was shown before: the control then
// learns only what differs, instead of dropping every item, taking it again and measuring its label
// again: the control measures every label it is given, so giving it only what changed keeps a rebuild's
// cost in the control proportional to what changed.
// The items themselves are still new: an item pointer kept across the clear finds freed memory.
#include <algorithm>

#include "TreeView.h"

// What the control holds now, level by level, as the wrapper knows it. Nothing may wait for the control:
// then what it holds is exactly what the items say.
bool TCustomTreeView::KeepControlItems() {
  if (!FKept.empty()) return true;  // cleared twice in one update: nothing new was put in since
  if (FRootOrderPending || FSelectionPending || FItems.FRoots.empty() || !FItems.FRoots.front()->FItemId)
    return false;
  for (TTreeNode* node = FItems.GetFirstNode(); node; node = node->GetNextMade())
    if (node->FPendingMask ||
        (node->FItemId && node->FExpandedInControl != (node->FExpanded && node->HasChildren())))
      return false;
  std::vector<const TTreeNode*> held;
  auto keepLevel = [&](const std::vector<TTreeNode*>& level) {
    for (const TTreeNode* node : level) {
      if (!node->FItemId) continue;
      FKept.push_back({node->FItemId, node->FItemTag, node->FText, StateImageBits(node->FStateIndex),
                       node->HasChildren(), node->FExpandedInControl});
      held.push_back(node);
    }
  };
  keepLevel(FItems.FRoots);
  FKeptTopLevel = static_cast<int>(FKept.size());
  // The state of the branches the control holds was read before the clear, the first item's excepted.
  TTreeNode* first = FItems.FRoots.front();
  if (first->FChildrenInControl)
    FKept[0].expanded = (Perform(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(first->FItemId), TVIS_EXPANDED) &
                         TVIS_EXPANDED) != 0;
  for (size_t i = 0; i < held.size(); ++i) {
    if (!held[i]->FChildrenInControl) continue;
    FKept[i].firstChild = static_cast<int>(FKept.size());
    keepLevel(held[i]->FChildren);
    FKept[i].childCount = static_cast<int>(FKept.size()) - FKept[i].firstChild;
  }
  FKeptCaret = FSelected && FSelected->FItemId;
  FKeptDropTarget = FDropTarget && FDropTarget->FItemId;
  return true;
}

// Pairs every kept item with the new item that will take its place, level by level as they will be
// placed, and lets the control drop what no new item takes: the surplus of a level, and the children held
// for a branch that is not open now (the control never holds those after a clear). All of it while the
// control still draws, before anything new is put in: the control keeps its layout only while it does.
void TCustomTreeView::DropUnusedKept() {
  const int taken = std::min(static_cast<int>(FItems.FRoots.size()), FKeptTopLevel);
  for (int i = taken; i < FKeptTopLevel; ++i) DropKeptItem(FKept[i].item);
  FKeptTopLevel = taken;
  for (int i = 0; i < taken; ++i) MatchKeptChildren(FItems.FRoots[i], i);
}

void TCustomTreeView::MatchKeptChildren(TTreeNode* node, int kept) {
  if (!FKept[kept].childCount) return;
  if (!node->FExpanded || !node->HasChildren()) {
    Perform(TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET, reinterpret_cast<LPARAM>(FKept[kept].item));
    FKept[kept].childCount = 0;
    FKept[kept].expanded = false;
    return;
  }
  node->Children();
  if (node->FOrderPending) SortBranch(node, sdLevel);  // the order they will be placed in
  const int first = FKept[kept].firstChild;
  const int taken = std::min(node->Count(), FKept[kept].childCount);
  for (int i = taken; i < FKept[kept].childCount; ++i) DropKeptItem(FKept[first + i].item);
  FKept[kept].childCount = taken;
  for (int i = 0; i < taken; ++i) MatchKeptChildren(node->FChildren[i], first + i);
}

void TCustomTreeView::DropKeptItem(HTREEITEM item) {
  TFlagScope clearing(FClearing);
  Perform(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
  FKeptSelectionMoved = true;  // the control may have moved its caret off the item it dropped
}

// node takes the kept item, under the item's tag: the control is told only what differs.
void TCustomTreeView::TakeKeptItem(TTreeNode* node, int kept) {
  const TKeptItem& item = FKept[kept];
  NameItem(node, item.item, item.tag);
  node->FPendingMask = 0;
  node->FExpandedInControl = item.expanded;
  if (item.childCount) FKeptChildren[node] = kept;
  UINT changed = 0;
  if (item.text != node->FText) changed |= TVIF_TEXT;
  if (item.stateImage != StateImageBits(node->FStateIndex)) changed |= TVIF_STATE;
  if (item.hasChildren != node->HasChildren()) changed |= TVIF_CHILDREN;
  ApplyAttributes(node, changed);
}

// The children of node into the control: kept items first, in their places, new ones after them. True
// when kept items were taken, whose expanded state the control shows already.
bool TCustomTreeView::PlaceChildren(TTreeNode* node) {
  int first = 0, count = 0;
  auto kept = FKeptChildren.find(node);
  if (kept != FKeptChildren.end()) {
    first = FKept[kept->second].firstChild;
    count = FKept[kept->second].childCount;
    FKeptChildren.erase(kept);
  }
  int taken = 0;
  for (TTreeNode* child : node->FChildren) {
    if (taken < count)
      TakeKeptItem(child, first + taken++);
    else
      InsertItem(child, TVI_LAST);
  }
  return count > 0;
}

// The top level takes the kept one's places. A new fill shows the top of the tree, and nothing highlighted
// or selected but what the items say: the kept items lose their marks first, while the control draws. The
// view goes to the top before anything is dropped, so that the first visible item is never one being
// dropped: a control that drops it with the open branch holding it is left without one, and one
// implementation of the control then fails on its next layout.
void TCustomTreeView::PlaceTopLevel() {
  if (!FItems.FRoots.empty() &&
      reinterpret_cast<HTREEITEM>(Perform(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)) != FKept[0].item)
    Perform(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(FKept[0].item));
  DropUnusedKept();
  if (FKeptDropTarget) Perform(TVM_SELECTITEM, TVGN_DROPHILITE, 0);
  if ((FKeptCaret || FKeptSelectionMoved) && !FSelected) {
    TFlagScope clearing(FClearing);  // the control's caret goes, which the items never had
    Perform(TVM_SELECTITEM, TVGN_CARET, 0);
  } else if (FKeptCaret || FKeptSelectionMoved) {
    FSelectionPending = true;
  }
  int taken = 0;
  for (TTreeNode* root : FItems.FRoots) {
    if (taken < FKeptTopLevel) {
      TakeKeptItem(root, taken++);
      if (root->FExpanded && root->HasChildren()) ApplyExpanded(root, true);
    } else {
      InsertBranch(root, TVI_LAST);
    }
  }
  ForgetKeptItems();
}

void TCustomTreeView::ForgetKeptItems() {
  FKept.clear();
  FKeptChildren.clear();
  FKeptTopLevel = 0;
  FKeptCaret = FKeptDropTarget = FKeptSelectionMoved = false;
}
