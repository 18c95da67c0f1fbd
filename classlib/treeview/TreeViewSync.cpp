// Keeping the control in step with the wrapper's own items: one insert per item the control must hold,
// changes applied as they are made (or once redrawing is resumed), sorting by the locale's sort keys.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ScopeExit.h"
#include "TreeView.h"

namespace {
constexpr UINT kItemAttributes = TVIF_TEXT | TVIF_STATE | TVIF_CHILDREN;

// The control's text order is lstrcmpA's: the thread locale's word sort. Its sort key orders byte by byte
// exactly as lstrcmpA orders the texts, and costs about what one lstrcmpA does, so a sort makes one key per
// item instead of comparing each text log n times.
std::string TextSortKey(const std::string& text) {
  const LCID locale = GetThreadLocale();
  char buffer[1024];
  int size = LCMapStringA(locale, LCMAP_SORTKEY, text.c_str(), -1, buffer, sizeof buffer);
  if (size > 0) return std::string(buffer, size);
  size = LCMapStringA(locale, LCMAP_SORTKEY, text.c_str(), -1, nullptr, 0);
  std::string key(size > 0 ? size : 0, '\0');
  if (size > 0) LCMapStringA(locale, LCMAP_SORTKEY, text.c_str(), -1, key.data(), size);
  return key;
}
}  // namespace

// Bringing the control up to date ------------------------------------------------------------------------

LRESULT TCustomTreeView::Change(UINT message, WPARAM wParam, LPARAM lParam) {
  HoldRedraw();
  return Perform(message, wParam, lParam);
}

// An update stops the control's drawing only once something in it changes: a rebuild that shows what was
// shown before then costs the control nothing, where resuming its drawing has it measure and lay out
// every item it holds.
void TCustomTreeView::HoldRedraw() {
  if (FRedrawHeld || !HandleAllocated() || !(FItems.Updating() || FEndingUpdate)) return;
  SendMessageA(FHandle, WM_SETREDRAW, FALSE, 0);
  FRedrawHeld = true;
}

void TCustomTreeView::EndUpdate() {
  FEndingUpdate = true;
  SyncControl();
  FEndingUpdate = false;
  const bool changed = FRedrawHeld;
  if (FRedrawHeld) SendMessageA(FHandle, WM_SETREDRAW, TRUE, 0);
  FRedrawHeld = false;
  if (FRevealPending) RevealSelected();
  if (changed) FillView();
  InvalidateRect(FHandle, nullptr, TRUE);
}

// A changed control may leave its view past the end of its items: Wine's, after a rebuild that inserted the
// selected item last, shows that item as the first visible one with the rest of the view empty, its scroll
// bar saying otherwise. The rows left empty below the last item are measured once it draws again, and the
// view moves up by as many rows as there are items above it to fill them.
void TCustomTreeView::FillView() {
  const auto first = reinterpret_cast<HTREEITEM>(Perform(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
  HTREEITEM top = first;
  for (int empty = EmptyRowsAtTheEnd(); empty > 0 && top; --empty) {
    auto above = reinterpret_cast<HTREEITEM>(
        Perform(TVM_GETNEXTITEM, TVGN_PREVIOUSVISIBLE, reinterpret_cast<LPARAM>(top)));
    if (!above) break;
    top = above;
  }
  if (top != first) Perform(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(top));
}

int TCustomTreeView::EmptyRowsAtTheEnd() {
  const auto last = reinterpret_cast<HTREEITEM>(Perform(TVM_GETNEXTITEM, TVGN_LASTVISIBLE, 0));
  const auto row = static_cast<int>(Perform(TVM_GETITEMHEIGHT, 0, 0));
  RECT client, lastRow{};
  GetClientRect(FHandle, &client);
  std::memcpy(&lastRow, &last, sizeof last);  // the item goes in, its rectangle comes out
  if (!last || row <= 0 || !Perform(TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&lastRow))) return 0;
  return (client.bottom - lastRow.bottom) / row;
}

UINT TCustomTreeView::StateImageBits(int stateIndex) {
  return INDEXTOSTATEIMAGEMASK(stateIndex > 0 ? stateIndex : 0);
}

int CALLBACK TCustomTreeView::CompareByModelOrder(LPARAM a, LPARAM b, LPARAM tree) {
  auto& nodes = reinterpret_cast<TCustomTreeView*>(tree)->FNodeOfTag;
  auto first = nodes.find(a), second = nodes.find(b);
  if (first == nodes.end() || second == nodes.end()) return 0;
  return first->second->Index() - second->second->Index();
}

void TCustomTreeView::NameItem(TTreeNode* node, HTREEITEM item, LPARAM tag) {
  node->FItemId = item;
  node->FItemTag = tag;
  if (!item) return;
  FNodeOfItem[item] = node;
  FNodeOfTag[tag] = node;
}

void TCustomTreeView::InsertItem(TTreeNode* node, HTREEITEM after) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = node->FParent ? node->FParent->FItemId : TVI_ROOT;
  insert.hInsertAfter = after;
  TVITEMA& item = insert.item;
  item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE | TVIF_CHILDREN;
  item.pszText = const_cast<char*>(node->FText.c_str());
  item.iImage = I_IMAGECALLBACK;
  item.iSelectedImage = I_IMAGECALLBACK;
  item.lParam = ++FLastItemTag;
  item.state = StateImageBits(node->FStateIndex);
  item.stateMask = TVIS_STATEIMAGEMASK;
  item.cChildren = node->HasChildren() ? 1 : 0;
  NameItem(node, reinterpret_cast<HTREEITEM>(Change(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))),
           item.lParam);
  node->FPendingMask = 0;
}

void TCustomTreeView::InsertBranch(TTreeNode* node, HTREEITEM after) {
  InsertItem(node, after);
  if (node->FExpanded && node->HasChildren()) ApplyExpanded(node);
}

// All the children first, then the open branches among them: the control finds the parent of every item
// it is given by a scan of its items in the order they came, so parents given early are found quickly.
void TCustomTreeView::InsertChildren(TTreeNode* node) {
  if (node->FChildrenInControl) return;
  node->Children();
  if (node->FOrderPending) SortBranch(node, sdLevel);
  node->FChildrenInControl = true;
  bool kept = PlaceChildren(node);
  for (TTreeNode* child : node->FChildren)
    if (child->FExpanded && child->HasChildren()) ApplyExpanded(child, kept);
}

void TCustomTreeView::RealisePath(TTreeNode* node) {
  if (!node || node->FItemId || !HandleAllocated()) return;
  if (node->FParent) {
    RealisePath(node->FParent);
    InsertChildren(node->FParent);
  } else {
    SyncControl();
  }
}

void TCustomTreeView::SyncControl() {
  if (!HandleAllocated() || FItems.Updating()) return;
  if (!FKept.empty()) PlaceTopLevel();
  for (auto& root : FItems.FRoots) SyncNode(root);
  if (FRootOrderPending) ApplyChildOrder(nullptr);
  if (FSelectionPending) ApplySelection();
}

void TCustomTreeView::SyncNode(TTreeNode* node) {
  if (!node->FItemId) {
    InsertBranch(node, TVI_LAST);
    return;
  }
  if (node->FPendingMask & kItemAttributes) ApplyAttributes(node, node->FPendingMask & kItemAttributes);
  if (node->FExpanded && node->HasChildren()) InsertChildren(node);
  if (node->FChildrenInControl)
    for (auto& child : node->FChildren) SyncNode(child);
  if (node->FPendingMask & kOrderChanged) ApplyChildOrder(node);
  if (node->FExpandedInControl != (node->FExpanded && node->HasChildren())) ApplyExpanded(node);
  node->FPendingMask = 0;
}

void TCustomTreeView::ApplyAttributes(TTreeNode* node, UINT mask) {
  if (mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) InvalidateRect(FHandle, nullptr, FALSE);
  mask &= kItemAttributes;
  if (!mask) return;
  TVITEMA item{};
  item.mask = TVIF_HANDLE | mask;
  item.hItem = node->FItemId;
  item.pszText = const_cast<char*>(node->FText.c_str());
  item.state = StateImageBits(node->FStateIndex);
  item.stateMask = TVIS_STATEIMAGEMASK;
  item.cChildren = node->HasChildren() ? 1 : 0;
  Change(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TCustomTreeView::ApplyExpanded(TTreeNode* node, bool controlKnown) {
  bool expand = node->FExpanded && node->HasChildren();
  if (expand) InsertChildren(node);
  bool shown = controlKnown && node->FExpandedInControl == expand;
  node->FExpandedInControl = expand;
  if (shown || (!expand && !node->FChildrenInControl)) return;
  Change(TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(node->FItemId));
}

void TCustomTreeView::ApplyChildOrder(TTreeNode* parent) {
  if (parent && !parent->FChildrenInControl) return;
  if (!parent) FRootOrderPending = false;
  TVSORTCB sort{};
  sort.hParent = parent ? parent->FItemId : TVI_ROOT;
  sort.lpfnCompare = CompareByModelOrder;
  sort.lParam = reinterpret_cast<LPARAM>(this);
  Change(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

void TCustomTreeView::ApplySelection() {
  FSelectionPending = false;
  if (FSelected) RealisePath(FSelected);
  HTREEITEM item = FSelected ? FSelected->FItemId : nullptr;
  // Selecting the item expands its ancestors, each step drawn at once unless drawing is held.
  WithDrawingHeld([&] { Perform(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)); });
  if (FSelected)
    for (TTreeNode* p = FSelected->FParent; p; p = p->FParent) p->FExpandedInControl = true;
  FRevealPending = item != nullptr;
  if (!FRedrawHeld) RevealSelected();
}

// The control lays its items out for scrolling only while it draws: the selected item is scrolled into
// view once drawing has resumed, not while it is held.
void TCustomTreeView::RevealSelected() {
  FRevealPending = false;
  if (FSelected && FSelected->FItemId)
    Perform(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(FSelected->FItemId));
}

void TCustomTreeView::WithDrawingHeld(const std::function<void()>& work) {
  const bool drawn = IsWindowVisible(FHandle) != 0;
  if (drawn) DefWindowProcA(FHandle, WM_SETREDRAW, FALSE, 0);
  TOnScopeExit resume([&] {
    if (!drawn || !IsWindow(FHandle)) return;
    DefWindowProcA(FHandle, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  });
  work();
}

void TCustomTreeView::NodeAdded(TTreeNode* node) {
  TTreeNode* parent = node->FParent;
  if (!HandleAllocated()) return;
  bool parentShown = parent ? parent->FChildrenInControl : true;
  if (parentShown) {
    if (FItems.Updating()) return;  // inserted by the next SyncControl
    InsertBranch(node, TVI_LAST);
  } else if (parent && parent->FItemId && parent->Count() == 1) {
    NodeChanged(parent, TVIF_CHILDREN);
  }
}

void TCustomTreeView::NodeChanged(TTreeNode* node, UINT mask) {
  if (!node->FItemId || !HandleAllocated()) return;
  if (FItems.Updating()) {
    node->FPendingMask |= mask;
    return;
  }
  if (mask & kExpandedChanged)
    ApplyExpanded(node);
  else
    ApplyAttributes(node, mask);
}

void TCustomTreeView::Delete(TTreeNode* node) {
  if (OnDeletion) OnDeletion(this, node);
}

void TCustomTreeView::NotifyDeletion(TTreeNode* node) {
  for (auto& child : node->FChildren) NotifyDeletion(child);
  Delete(node);
}

void TCustomTreeView::ForgetItems(TTreeNode* node) {
  if (!node->FItemId) return;
  FNodeOfItem.erase(node->FItemId);
  FNodeOfTag.erase(node->FItemTag);
  node->FItemId = nullptr;
  for (auto& child : node->FChildren) ForgetItems(child);
}

void TCustomTreeView::NodeRemoved(TTreeNode* node) {
  auto inSubtree = [node](TTreeNode* n) { return n == node || node->IsAncestorOf(n); };
  if (node->FItemId && HandleAllocated()) {
    TFlagScope clearing(FClearing);
    Change(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->FItemId));
  }
  ForgetItems(node);
  if (OnDeletion) NotifyDeletion(node);
  if (inSubtree(FSelected)) FSelected = nullptr;
  if (inSubtree(FDropTarget)) FDropTarget = nullptr;
  if (inSubtree(FSelectedBeforeDrag)) {
    FSelectedBeforeDrag = nullptr;
    FSelectionBeforeDragKept = false;
  }
  if (inSubtree(FRightClickNode)) FRightClickNode = nullptr;
}

// An open edit belongs to the item it was opened on. A clear hands that item's handle or its place to
// another item, which Enter would then rename: the edit is cancelled first, as the control cancels the
// edit of an item it deletes.
void TCustomTreeView::CancelLabelEdit() {
  if (!FEditItem || !HandleAllocated()) return;
  FEditItem = nullptr;
  Perform(TVM_ENDEDITLABELNOW, TRUE, 0);
}

void TCustomTreeView::ClearControl() {
  CancelLabelEdit();
  bool keep = HandleAllocated() && FItems.Updating() && KeepControlItems();
  if (!keep && HandleAllocated() && (FItems.GetFirstNode() || !FKept.empty())) {
    {
      TFlagScope clearing(FClearing);
      Change(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    }
    ForgetKeptItems();
  }
  FNodeOfItem.clear();
  FNodeOfTag.clear();
  if (OnDeletion)
    for (auto& root : FItems.FRoots) NotifyDeletion(root);
  FSelected = FDropTarget = FRightClickNode = FSelectedBeforeDrag = nullptr;
  FSelectionBeforeDragKept = false;
  FSelectionPending = false;
  FRootOrderPending = false;
}

void TCustomTreeView::SortLevel(std::vector<TTreeNode*>& children) {
  std::vector<std::string> keys;
  keys.reserve(children.size());
  for (size_t i = 0; i < children.size(); ++i) {
    children[i]->FIndex = static_cast<int>(i);
    keys.push_back(TextSortKey(children[i]->FText));
  }
  std::stable_sort(children.begin(), children.end(), [&keys](const TTreeNode* a, const TTreeNode* b) {
    return keys[a->FIndex] < keys[b->FIndex];
  });
  for (size_t i = 0; i < children.size(); ++i) children[i]->FIndex = static_cast<int>(i);
}

// A level left unsorted below the sorted ones is marked, and put in order when the control takes it
// (InsertChildren). In a large tree most branches are collapsed and never opened, and the sort key of every
// label is the larger part of a rebuild: sorting what is shown (sdShown) leaves them waiting.
void TCustomTreeView::SortBranch(TTreeNode* parent, TSortDepth depth) {
  if (parent) parent->Children();
  auto& children = parent ? parent->FChildren : FItems.FRoots;
  // A branch that was waiting hands the wait on to the levels below unless they are sorted now.
  const bool levelsBelowWait = depth == sdShown || (parent && parent->FOrderPending);
  if (parent) parent->FOrderPending = false;
  SortLevel(children);
  for (TTreeNode* child : children) {
    if (!child->HasChildren()) continue;
    if (depth == sdAll || (depth == sdShown && child->FChildrenInControl))
      SortBranch(child, depth);
    else if (levelsBelowWait)
      child->FOrderPending = true;
  }
  ChildOrderChanged(parent);
}

void TCustomTreeView::ChildOrderChanged(TTreeNode* parent) {
  if (!HandleAllocated()) return;
  if (parent ? !parent->FChildrenInControl : !FItems.GetFirstNode() || !FItems.GetFirstNode()->FItemId)
    return;
  if (FItems.Updating()) {
    if (parent)
      parent->FPendingMask |= kOrderChanged;
    else
      FRootOrderPending = true;
  } else {
    ApplyChildOrder(parent);
  }
}

void TCustomTreeView::AlphaSort() {
  SortBranch(nullptr, sdShown);
}
