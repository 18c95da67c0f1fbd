// A clear inside an update keeps the control's items for the new items to take over, place by place,
// when the control is brought up to date. Most rebuilds show what was shown before: the control then
// learns only what differs, instead of dropping every item, taking it again and measuring its label
// again, which is most of what a large rebuild costs under Wine.
// The items themselves are still new: an item pointer kept across the clear finds freed memory.
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

// node takes the kept item, under the item's tag: the control is told only what differs. Kept children
// stay for node's own children when node opens now; otherwise the control drops them, as it never held
// those of a closed branch after a clear.
void TCustomTreeView::TakeKeptItem(TTreeNode* node, int kept) {
  const TKeptItem& item = FKept[kept];
  NameItem(node, item.item, item.tag);
  node->FPendingMask = 0;
  node->FExpandedInControl = item.expanded;
  if (item.childCount) {
    if (node->FExpanded && node->HasChildren()) {
      FKeptChildren[node] = kept;
    } else {
      // Before the item may lose its button: the control drops no children of an item without one.
      Change(TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET, reinterpret_cast<LPARAM>(item.item));
      node->FExpandedInControl = false;
    }
  }
  TVITEMA change{};
  change.mask = TVIF_HANDLE;
  change.hItem = item.item;
  if (item.text != node->FText) {
    change.mask |= TVIF_TEXT;
    change.pszText = const_cast<char*>(node->FText.c_str());
  }
  if (item.stateImage != StateImageBits(node->FStateIndex)) {
    change.mask |= TVIF_STATE;
    change.state = StateImageBits(node->FStateIndex);
    change.stateMask = TVIS_STATEIMAGEMASK;
  }
  if (item.hasChildren != node->HasChildren()) {
    change.mask |= TVIF_CHILDREN;
    change.cChildren = node->HasChildren() ? 1 : 0;
  }
  if (change.mask != TVIF_HANDLE) Change(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
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
  PlaceLevel(node->FChildren, first, count);
  return count > 0;
}

void TCustomTreeView::PlaceLevel(const std::vector<TTreeNode*>& level, int firstKept, int keptCount) {
  int taken = 0;
  for (TTreeNode* child : level) {
    if (taken < keptCount)
      TakeKeptItem(child, firstKept + taken++);
    else
      InsertItem(child, TVI_LAST);
  }
  for (int i = taken; i < keptCount; ++i) DropKeptItem(FKept[firstKept + i].item);
}

void TCustomTreeView::DropKeptItem(HTREEITEM item) {
  FClearing = true;
  Change(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
  FClearing = false;
  FKeptSelectionMoved = true;  // the control may have moved its caret off the item it dropped
}

// The top level takes the kept one's places; then the marks the kept items still carry go.
void TCustomTreeView::PlaceTopLevel() {
  int keptTop = FKeptTopLevel;
  FKeptTopLevel = 0;
  std::vector<TTreeNode*> fresh;
  int taken = 0;
  for (TTreeNode* root : FItems.FRoots) {
    if (root->FItemId) continue;
    if (taken < keptTop) {
      TakeKeptItem(root, taken++);
      if (root->FExpanded && root->HasChildren()) ApplyExpanded(root, true);
    } else {
      InsertBranch(root, TVI_LAST);
    }
  }
  for (int i = taken; i < keptTop; ++i) DropKeptItem(FKept[i].item);
  // A new fill shows the top of the tree, and nothing highlighted or selected but what the items say.
  HTREEITEM top = FItems.FRoots.front()->FItemId;
  if (reinterpret_cast<HTREEITEM>(Perform(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)) != top)
    Change(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(top));
  if (FKeptDropTarget) Change(TVM_SELECTITEM, TVGN_DROPHILITE, 0);
  if ((FKeptCaret || FKeptSelectionMoved) && !FSelected) {
    FClearing = true;  // the control's caret goes, which the items never had
    Perform(TVM_SELECTITEM, TVGN_CARET, 0);
    FClearing = false;
  } else if (FKeptCaret || FKeptSelectionMoved) {
    FSelectionPending = true;
  }
  FKeptCaret = FKeptDropTarget = FKeptSelectionMoved = false;
}

// A kept item whose new item never opened keeps no children the items do not know.
void TCustomTreeView::EndKeeping() {
  for (const auto& [node, kept] : FKeptChildren)
    Change(TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET, reinterpret_cast<LPARAM>(node->FItemId));
  ForgetKeptItems();
}

void TCustomTreeView::ForgetKeptItems() {
  FKept.clear();
  FKeptChildren.clear();
  FKeptTopLevel = 0;
  FKeptCaret = FKeptDropTarget = FKeptSelectionMoved = false;
}
