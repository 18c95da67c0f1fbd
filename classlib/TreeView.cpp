#include "TreeView.h"

#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ImgList.h"

namespace {
constexpr UINT kExpandedChanged = 0x10000;
constexpr UINT kOrderChanged = 0x20000;
constexpr UINT kItemAttributes = TVIF_TEXT | TVIF_STATE | TVIF_CHILDREN;

int CALLBACK CompareByModelOrder(LPARAM a, LPARAM b, LPARAM) {
  return reinterpret_cast<TTreeNode*>(a)->Index() - reinterpret_cast<TTreeNode*>(b)->Index();
}

UINT StateImageBits(int stateIndex) { return INDEXTOSTATEIMAGEMASK(stateIndex > 0 ? stateIndex : 0); }

// The control's text order is lstrcmpA's: the thread locale's word sort. Its sort key orders byte by byte
// exactly as lstrcmpA orders the texts, and costs about what one lstrcmpA does (a microsecond under
// Wine), so a sort makes one key per item instead of comparing each text log n times.
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

TCustomTreeView::TCustomTreeView(TComponent* owner) : TWinControl(owner), FItems(this) {
  SetColor(clWindow);
  TabStop = true;
}

TCustomTreeView::~TCustomTreeView() { DestroyWnd(); }

LRESULT TCustomTreeView::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
  ++FItemMessages;
  return SendMessageA(FHandle, message, wParam, lParam);
}

void TCustomTreeView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = "TreeView";
  params.SystemClass = WC_TREEVIEWA;
  params.ExStyle |= WS_EX_CLIENTEDGE;
  params.Style |= WS_TABSTOP;
  if (ShowLines) params.Style |= TVS_HASLINES;
  if (ShowButtons) params.Style |= TVS_HASBUTTONS;
  if (ShowRoot) params.Style |= TVS_LINESATROOT;
  if (!ReadOnly) params.Style |= TVS_EDITLABELS;
  if (!HideSelection) params.Style |= TVS_SHOWSELALWAYS;
  if (!ToolTips) params.Style |= TVS_NOTOOLTIPS;
  if (HotTrack) params.Style |= TVS_TRACKSELECT;
  if (RowSelect) params.Style |= TVS_FULLROWSELECT;
  if (DragMode == dmManual) params.Style |= TVS_DISABLEDRAGDROP;
}

void TCustomTreeView::CreateWindowHandleDone() {
  SendMessageA(FHandle, TVM_SETINDENT, Indent, 0);
  if (FImages) SendMessageA(FHandle, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages->Handle()));
  if (FStateImages)
    SendMessageA(FHandle, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(FStateImages->Handle()));
  if (!IsSystemColor(Color())) SendMessageA(FHandle, TVM_SETBKCOLOR, 0, ColorToRGB(Color()));
  FSelectionPending = FSelected != nullptr;
  if (!FItems.Updating()) SyncControl();
}

void TCustomTreeView::DestroyWnd() {
  if (!HandleAllocated()) return;
  FClearing = true;
  FNodeOfItem.clear();
  for (TTreeNode* node = FItems.GetFirstNode(); node; node = node->GetNext()) {
    node->FItemId = nullptr;
    node->FChildrenInControl = false;
    node->FExpandedInControl = false;
  }
  TWinControl::DestroyWnd();
  FClearing = false;
}

void TCustomTreeView::ColorChanged() {
  TWinControl::ColorChanged();
  if (!HandleAllocated()) return;
  bool focused = GetFocus() == FHandle;
  RecreateWnd();
  if (focused && HandleAllocated()) SetFocus(FHandle);
}

void TCustomTreeView::SetImages(TImageList* images) {
  FImages = images;
  if (HandleAllocated())
    SendMessageA(FHandle, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TCustomTreeView::SetStateImages(TImageList* images) {
  FStateImages = images;
  if (HandleAllocated())
    SendMessageA(FHandle, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

// Bringing the control up to date ------------------------------------------------------------------------

void TCustomTreeView::InsertItem(TTreeNode* node, HTREEITEM after) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = node->FParent ? node->FParent->FItemId : TVI_ROOT;
  insert.hInsertAfter = after;
  TVITEMA& item = insert.item;
  item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE | TVIF_CHILDREN;
  item.pszText = const_cast<char*>(node->FText.c_str());
  item.iImage = I_IMAGECALLBACK;
  item.iSelectedImage = I_IMAGECALLBACK;
  item.lParam = reinterpret_cast<LPARAM>(node);
  item.state = StateImageBits(node->FStateIndex);
  item.stateMask = TVIS_STATEIMAGEMASK;
  item.cChildren = node->HasChildren() ? 1 : 0;
  node->FItemId = reinterpret_cast<HTREEITEM>(Perform(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (node->FItemId) FNodeOfItem[node->FItemId] = node;
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
  if (node->FOrderPending) SortChildren(node, false);
  node->FChildrenInControl = true;
  for (TTreeNode* child : node->FChildren) InsertItem(child, TVI_LAST);
  for (TTreeNode* child : node->FChildren)
    if (child->FExpanded && child->HasChildren()) ApplyExpanded(child);
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
  Perform(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TCustomTreeView::ApplyExpanded(TTreeNode* node) {
  bool expand = node->FExpanded && node->HasChildren();
  if (expand) InsertChildren(node);
  node->FExpandedInControl = expand;
  if (!expand && !node->FChildrenInControl) return;
  Perform(TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(node->FItemId));
}

void TCustomTreeView::ApplyChildOrder(TTreeNode* parent) {
  if (parent && !parent->FChildrenInControl) return;
  if (!parent) FRootOrderPending = false;
  TVSORTCB sort{};
  sort.hParent = parent ? parent->FItemId : TVI_ROOT;
  sort.lpfnCompare = CompareByModelOrder;
  Perform(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

void TCustomTreeView::ApplySelection() {
  FSelectionPending = false;
  if (FSelected) RealisePath(FSelected);
  HTREEITEM item = FSelected ? FSelected->FItemId : nullptr;
  // Revealing the item expands its ancestors and scrolls, and the control draws each step at once; with
  // the window marked undrawable (the default WM_SETREDRAW) it does the same work and one repaint follows.
  bool drawn = IsWindowVisible(FHandle) != 0;
  if (drawn) DefWindowProcA(FHandle, WM_SETREDRAW, FALSE, 0);
  Perform(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  if (drawn) {
    DefWindowProcA(FHandle, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
  if (FSelected)
    for (TTreeNode* p = FSelected->FParent; p; p = p->FParent) p->FExpandedInControl = true;
}

void TCustomTreeView::NodeAdded(TTreeNode* node) {
  TTreeNode* parent = node->FParent;
  if (!HandleAllocated()) return;
  bool parentShown = parent ? parent->FChildrenInControl : true;
  if (parentShown) {
    if (FItems.Updating())
      return;  // inserted by the next SyncControl
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
  node->FItemId = nullptr;
  for (auto& child : node->FChildren) ForgetItems(child);
}

void TCustomTreeView::NodeRemoved(TTreeNode* node) {
  auto inSubtree = [node](TTreeNode* n) { return n == node || node->IsAncestorOf(n); };
  if (node->FItemId && HandleAllocated()) {
    FClearing = true;
    Perform(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->FItemId));
    FClearing = false;
  }
  ForgetItems(node);
  if (OnDeletion) NotifyDeletion(node);
  if (inSubtree(FSelected)) FSelected = nullptr;
  if (inSubtree(FDropTarget)) FDropTarget = nullptr;
  if (inSubtree(FRightClickNode)) FRightClickNode = nullptr;
}

void TCustomTreeView::ClearControl() {
  if (HandleAllocated() && FItems.GetFirstNode()) {
    FClearing = true;
    Perform(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    FClearing = false;
  }
  FNodeOfItem.clear();
  if (OnDeletion)
    for (auto& root : FItems.FRoots) NotifyDeletion(root);
  FSelected = FDropTarget = FRightClickNode = nullptr;
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
  std::stable_sort(children.begin(), children.end(),
                   [&keys](const TTreeNode* a, const TTreeNode* b) { return keys[a->FIndex] < keys[b->FIndex]; });
  for (size_t i = 0; i < children.size(); ++i) children[i]->FIndex = static_cast<int>(i);
}

void TCustomTreeView::SortChildren(TTreeNode* parent, bool recurse) {
  auto& children = parent ? parent->FChildren : FItems.FRoots;
  // A branch that was waiting hands the wait on to the levels below unless they are sorted now.
  bool levelsBelowWait = parent && parent->FOrderPending;
  if (parent) parent->FOrderPending = false;
  SortLevel(children);
  for (TTreeNode* child : children)
    if (child->HasChildren()) {
      if (recurse)
        SortChildren(child, true);
      else if (levelsBelowWait)
        child->FOrderPending = true;
    }
  ChildOrderChanged(parent);
}

void TCustomTreeView::ChildOrderChanged(TTreeNode* parent) {
  if (!HandleAllocated()) return;
  if (parent ? !parent->FChildrenInControl : !FItems.GetFirstNode() || !FItems.GetFirstNode()->FItemId) return;
  if (FItems.Updating()) {
    if (parent)
      parent->FPendingMask |= kOrderChanged;
    else
      FRootOrderPending = true;
  } else {
    ApplyChildOrder(parent);
  }
}

// The levels the control shows are sorted now; a branch whose children the control does not hold waits
// until it takes them (InsertChildren). In a large tree most branches are collapsed and never opened, and
// the sort key of every label is the larger part of a rebuild.
void TCustomTreeView::SortShown(TTreeNode* parent) {
  auto& children = parent ? parent->FChildren : FItems.FRoots;
  if (parent) parent->FOrderPending = false;
  SortLevel(children);
  for (TTreeNode* child : children) {
    if (!child->HasChildren()) continue;
    if (child->FChildrenInControl)
      SortShown(child);
    else
      child->FOrderPending = true;
  }
  ChildOrderChanged(parent);
}

void TCustomTreeView::AlphaSort() { SortShown(nullptr); }

// Selection, drop target, hit testing --------------------------------------------------------------------

TTreeNode* TCustomTreeView::Selected() const { return FRightClickNode ? FRightClickNode : FSelected; }

void TCustomTreeView::SetSelected(TTreeNode* node) {
  FSelected = node;
  // Selecting reveals: the control expands every collapsed ancestor of the item it selects.
  if (node)
    for (TTreeNode* p = node->FParent; p; p = p->FParent) p->FExpanded = true;
  if (!HandleAllocated() || FItems.Updating()) {
    FSelectionPending = true;
    return;
  }
  ApplySelection();
}

void TCustomTreeView::SetDropTarget(TTreeNode* node) {
  if (node == FDropTarget) return;
  FDropTarget = node;
  if (!HandleAllocated()) return;
  HTREEITEM item = node ? node->FItemId : nullptr;
  Perform(TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(item));
}

TTreeNode* TCustomTreeView::NodeFromItem(HTREEITEM item) const {
  auto found = FNodeOfItem.find(item);
  return found == FNodeOfItem.end() ? nullptr : found->second;
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) {
  if (!HandleAllocated()) return nullptr;
  TVHITTESTINFO hit{};
  hit.pt = POINT{x, y};
  HTREEITEM item = reinterpret_cast<HTREEITEM>(Perform(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (!(hit.flags & (TVHT_ONITEM | TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON))) return nullptr;
  return NodeFromItem(item);
}

TTreeNode* TCustomTreeView::TopItem() {
  if (!HandleAllocated()) return nullptr;
  return NodeFromItem(reinterpret_cast<HTREEITEM>(Perform(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

bool TCustomTreeView::IsEditing() {
  return HandleAllocated() && SendMessageA(FHandle, TVM_GETEDITCONTROL, 0, 0) != 0;
}

void TCustomTreeView::GetImageIndex(TTreeNode* node) {
  if (OnGetImageIndex) OnGetImageIndex(this, node);
}

void TCustomTreeView::GetSelectedIndex(TTreeNode* node) {
  if (OnGetSelectedIndex) OnGetSelectedIndex(this, node);
}

// Notifications ------------------------------------------------------------------------------------------

LRESULT TCustomTreeView::DefaultGetDispInfo(NMTVDISPINFOA* info) {
  auto* node = reinterpret_cast<TTreeNode*>(info->item.lParam);
  if (!node) return 0;
  if (info->item.mask & TVIF_TEXT) lstrcpynA(info->item.pszText, node->FText.c_str(), info->item.cchTextMax);
  if (info->item.mask & TVIF_IMAGE) info->item.iImage = node->FImageIndex;
  if (info->item.mask & TVIF_SELECTEDIMAGE) info->item.iSelectedImage = node->FSelectedIndex;
  return 0;
}

bool TCustomTreeView::CustomDrawAssigned() const {
  return OnCustomDraw || OnCustomDrawItem || OnAdvancedCustomDraw || OnAdvancedCustomDrawItem;
}

LRESULT TCustomTreeView::DefaultCustomDraw(NMTVCUSTOMDRAW* draw) {
  bool defaultDraw = true;
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      if (OnCustomDraw) OnCustomDraw(this, draw->nmcd.rc, defaultDraw);
      if (OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, draw->nmcd.rc, defaultDraw);
      if (!defaultDraw) return CDRF_SKIPDEFAULT;
      return (OnCustomDrawItem || OnAdvancedCustomDrawItem) ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT: {
      auto* node = reinterpret_cast<TTreeNode*>(draw->nmcd.lItemlParam);
      if (OnCustomDrawItem) OnCustomDrawItem(this, node, draw->nmcd.uItemState, defaultDraw);
      if (OnAdvancedCustomDrawItem) OnAdvancedCustomDrawItem(this, node, draw->nmcd.uItemState, defaultDraw);
      return defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

// The standard right click: the menu request goes out at once, with the clicked item standing in for the
// selection while it is handled.
LRESULT TCustomTreeView::DefaultRightClick() {
  POINT cursor;
  GetCursorPos(&cursor);
  POINT client = ScreenToClient(cursor);
  FRightClickNode = RightClickSelect ? GetNodeAt(client.x, client.y) : nullptr;
  SendMessageA(FHandle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(FHandle), MAKELPARAM(cursor.x, cursor.y));
  FRightClickNode = nullptr;
  return 1;
}

void TCustomTreeView::ReadExpandedState() {
  if (!HandleAllocated() || FItems.FRoots.empty()) return;
  std::vector<TTreeNode*> pending(FItems.FRoots.begin(), FItems.FRoots.end());
  TTreeNode* first = pending.front();
  while (!pending.empty()) {
    TTreeNode* node = pending.back();
    pending.pop_back();
    if (!node->FItemId || !node->FChildrenInControl) continue;
    // An item whose change waits for the end of an update knows better than the control.
    if (node != first && node->FExpanded == node->FExpandedInControl) {
      LRESULT state = Perform(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node->FItemId), TVIS_EXPANDED);
      node->FExpanded = node->FExpandedInControl = (state & TVIS_EXPANDED) != 0;
    }
    pending.insert(pending.end(), node->FChildren.begin(), node->FChildren.end());
  }
}

void TCustomTreeView::ItemExpanded(NMTREEVIEWA* info) {
  auto* node = reinterpret_cast<TTreeNode*>(info->itemNew.lParam);
  if (!node) return;
  bool expanded = (info->itemNew.state & TVIS_EXPANDED) != 0;
  node->FExpanded = node->FExpandedInControl = expanded;
  if (!expanded && node->IsAncestorOf(FSelected)) FSelected = node;
  if (expanded ? bool(OnExpanded) : bool(OnCollapsed)) (expanded ? OnExpanded : OnCollapsed)(this, node);
}

LRESULT TCustomTreeView::CNNotify(NMHDR* header) {
  switch (header->code) {
    case TVN_GETDISPINFOA: {
      auto* info = reinterpret_cast<NMTVDISPINFOA*>(header);
      auto* node = reinterpret_cast<TTreeNode*>(info->item.lParam);
      if (node && (info->item.mask & TVIF_IMAGE)) GetImageIndex(node);
      if (node && (info->item.mask & TVIF_SELECTEDIMAGE)) GetSelectedIndex(node);
      return DefaultGetDispInfo(info);
    }
    case NM_CUSTOMDRAW:
      if (CustomDrawAssigned()) return DefaultCustomDraw(reinterpret_cast<NMTVCUSTOMDRAW*>(header));
      return CDRF_DODEFAULT;
    case TVN_SELCHANGEDA: {
      if (FClearing) return 0;
      auto* info = reinterpret_cast<NMTREEVIEWA*>(header);
      FSelected = reinterpret_cast<TTreeNode*>(info->itemNew.lParam);
      if (OnChange) OnChange(this, FSelected);
      return 0;
    }
    case TVN_ITEMEXPANDINGA: {
      auto* info = reinterpret_cast<NMTREEVIEWA*>(header);
      auto* node = reinterpret_cast<TTreeNode*>(info->itemNew.lParam);
      if (!node) return 0;
      bool allow = true;
      bool expanding = info->action & TVE_EXPAND;
      if (expanding ? bool(OnExpanding) : bool(OnCollapsing)) (expanding ? OnExpanding : OnCollapsing)(this, node, allow);
      if (allow && expanding) InsertChildren(node);
      return allow ? 0 : 1;
    }
    case TVN_ITEMEXPANDEDA:
      ItemExpanded(reinterpret_cast<NMTREEVIEWA*>(header));
      return 0;
    case TVN_BEGINLABELEDITA: {
      auto* info = reinterpret_cast<NMTVDISPINFOA*>(header);
      bool allow = !ReadOnly;
      if (OnEditing) OnEditing(this, reinterpret_cast<TTreeNode*>(info->item.lParam), allow);
      return allow ? 0 : 1;
    }
    case TVN_ENDLABELEDITA: {
      auto* info = reinterpret_cast<NMTVDISPINFOA*>(header);
      auto* node = reinterpret_cast<TTreeNode*>(info->item.lParam);
      if (!info->item.pszText || !node) return 0;
      std::string text = info->item.pszText;
      if (OnEdited) OnEdited(this, node, text);
      // The control takes the accepted text itself; the item is re-sorted among its siblings only.
      node->FText = text;
      if (text != info->item.pszText) node->Changed(TVIF_TEXT);
      if (SortType == stText || SortType == stBoth) SortChildren(node->FParent, false);
      return text == info->item.pszText ? 1 : 0;
    }
    case TVN_BEGINDRAGA:
      if (DragMode == dmAutomatic) BeginAutoDrag(reinterpret_cast<TTreeNode*>(reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.lParam));
      return 0;
    case NM_CLICK:
      if (FInButtonDown)
        FClickSeen = true;
      else
        Click();
      return 0;
    case NM_RCLICK:
      return DefaultRightClick();
    default:
      return 0;
  }
}

LRESULT TCustomTreeView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case CN_NOTIFY:
      return CNNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (message == WM_LBUTTONDBLCLK) DblClick();
      MouseDown(mbLeft, KeyboardShiftState() | ssLeft, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      // The control tracks the button itself until release (or a drag); a click it reports is raised
      // once that is over, so that the selection has already moved.
      FInButtonDown = true;
      FClickSeen = false;
      LRESULT result = DefaultHandler(message, wParam, lParam);
      FInButtonDown = false;
      if (FClickSeen) {
        FClickSeen = false;
        Click();
      }
      return result;
    }
    case WM_MOUSEMOVE:
      if (FDragging) {
        DragMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (FDragging) {
        EndAutoDrag(true, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (FDragging && wParam == VK_ESCAPE) {
        EndAutoDrag(false, 0, 0);
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      if (FDragging && reinterpret_cast<HWND>(lParam) != FHandle) EndAutoDrag(false, 0, 0);
      break;
    default:
      break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

// Automatic dragging -------------------------------------------------------------------------------------

void TCustomTreeView::BeginAutoDrag(TTreeNode* node) {
  if (!node) return;
  SetSelected(node);
  FDragging = true;
  FDragAccepted = false;
  SetDropTarget(nullptr);
  SetCapture(FHandle);
  if (OnStartDrag) OnStartDrag(this);
  POINT cursor;
  GetCursorPos(&cursor);
  POINT client = ScreenToClient(cursor);
  DragMove(client.x, client.y);
}

void TCustomTreeView::DragMove(int x, int y) {
  RECT client;
  GetClientRect(FHandle, &client);
  bool inside = PtInRect(&client, POINT{x, y}) != 0;
  // Over empty space the last item passed over stays the drop target.
  if (TTreeNode* node = inside ? GetNodeAt(x, y) : nullptr) SetDropTarget(node);
  bool accept = false;
  if (inside && OnDragOver) OnDragOver(this, this, x, y, dsDragMove, accept);
  FDragAccepted = inside && accept;
  SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(FDragAccepted ? IDC_ARROW : IDC_NO)));
}

void TCustomTreeView::EndAutoDrag(bool drop, int x, int y) {
  if (drop) DragMove(x, y);
  bool accepted = drop && FDragAccepted;
  FDragging = false;
  if (GetCapture() == FHandle) ReleaseCapture();
  if (accepted && OnDragDrop) OnDragDrop(this, this, x, y);
  SetDropTarget(nullptr);
  if (OnEndDrag) OnEndDrag(this, accepted ? this : nullptr, x, y);
}
