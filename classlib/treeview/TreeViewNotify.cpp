// The control's messages and notifications, reflected back to it by its parent: selection, expansion,
// label editing, display requests, custom drawing, clicks. An item is known by its handle, never by the
// control's copy of its parameter: while a rebuild keeps the control's items for the new ones
// (TreeViewSync.cpp), that parameter still names an item that is gone.
#include "ScopeExit.h"
#include "TreeView.h"

// After the wrapper's headers: its macros would rename their functions.
#include <windowsx.h>

// Notifications ------------------------------------------------------------------------------------------

LRESULT TCustomTreeView::DefaultGetDispInfo(NMTVDISPINFOA* info) {
  TTreeNode* node = NodeFromItem(info->item.hItem);
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
      TTreeNode* node = NodeFromItem(reinterpret_cast<HTREEITEM>(draw->nmcd.dwItemSpec));
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
  TTreeNode* node = NodeFromItem(info->itemNew.hItem);
  if (!node) return;
  bool expanded = (info->itemNew.state & TVIS_EXPANDED) != 0;
  node->FExpanded = node->FExpandedInControl = expanded;
  if (!expanded && node->IsAncestorOf(FSelected)) FSelected = node;
  if (expanded ? bool(OnExpanded) : bool(OnCollapsed)) (expanded ? OnExpanded : OnCollapsed)(this, node);
}

// A branch about to open or close; one that opens gets its children into the control now.
LRESULT TCustomTreeView::ItemExpanding(NMTREEVIEWA* info) {
  TTreeNode* node = NodeFromItem(info->itemNew.hItem);
  if (!node) return 0;
  bool allow = true;
  bool expanding = info->action & TVE_EXPAND;
  if (expanding ? bool(OnExpanding) : bool(OnCollapsing))
    (expanding ? OnExpanding : OnCollapsing)(this, node, allow);
  if (allow && expanding) InsertChildren(node);
  return allow ? 0 : 1;
}

// An edit committed. OnEdited may change the text; the control takes the accepted text itself, and the
// item is re-sorted among its siblings only.
LRESULT TCustomTreeView::EndLabelEdit(NMTVDISPINFOA* info) {
  TTreeNode* node = NodeFromItem(info->item.hItem);
  if (!info->item.pszText || !node) return 0;
  std::string text = info->item.pszText;
  if (OnEdited) OnEdited(this, node, text);
  node->FText = text;
  if (text != info->item.pszText) node->Changed(TVIF_TEXT);
  if (SortType == stText || SortType == stBoth) SortBranch(node->FParent, sdLevel);
  return text == info->item.pszText ? 1 : 0;
}

// The control has made its edit field by the time it asks whether the edit may begin.
void TCustomTreeView::BeginLabelEdit(HTREEITEM item) {
  FEditItem = item;
  auto edit = reinterpret_cast<HWND>(SendMessageA(FHandle, TVM_GETEDITCONTROL, 0, 0));
  if (edit && MaxLabelLength > 0) SendMessageA(edit, EM_LIMITTEXT, MaxLabelLength, 0);
}

LRESULT TCustomTreeView::CNNotify(NMHDR* header) {
  switch (header->code) {
    case TVN_GETDISPINFOA: {
      auto* info = reinterpret_cast<NMTVDISPINFOA*>(header);
      TTreeNode* node = NodeFromItem(info->item.hItem);
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
      FSelected = NodeFromItem(info->itemNew.hItem);
      if (OnChange) OnChange(this, FSelected);
      return 0;
    }
    case TVN_ITEMEXPANDINGA:
      return ItemExpanding(reinterpret_cast<NMTREEVIEWA*>(header));
    case TVN_ITEMEXPANDEDA:
      ItemExpanded(reinterpret_cast<NMTREEVIEWA*>(header));
      return 0;
    case TVN_BEGINLABELEDITA: {
      auto* info = reinterpret_cast<NMTVDISPINFOA*>(header);
      bool allow = !ReadOnly;
      if (OnEditing) OnEditing(this, NodeFromItem(info->item.hItem), allow);
      if (allow) BeginLabelEdit(info->item.hItem);
      return allow ? 0 : 1;
    }
    case TVN_ENDLABELEDITA:
      FEditItem = nullptr;
      return EndLabelEdit(reinterpret_cast<NMTVDISPINFOA*>(header));
    case TVN_BEGINDRAGA:
      if (DragMode == dmAutomatic)
        BeginAutoDrag(NodeFromItem(reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem));
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
      LRESULT result = 0;
      {
        TOnScopeExit pressOver([this] { FInButtonDown = false; });
        result = DefaultHandler(message, wParam, lParam);
      }
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
      FEscapeEndedDrag = FDragging && wParam == VK_ESCAPE;
      if (FEscapeEndedDrag) {
        EndAutoDrag(false, 0, 0);
        return 0;
      }
      if (wParam == VK_MULTIPLY) {  // the keypad's star opens the whole branch, level by level
        LRESULT result = 0;
        WithDrawingHeld([&] { result = TWinControl::WndProc(message, wParam, lParam); });
        return result;
      }
      break;
    case WM_KEYUP:
      // The release of the Escape that ended a drag is the end of that gesture, not a key of its own.
      if (FEscapeEndedDrag && wParam == VK_ESCAPE) {
        FEscapeEndedDrag = false;
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      if (FDragging && reinterpret_cast<HWND>(lParam) != FHandle) EndAutoDrag(false, 0, 0);
      break;
    case WM_NCDESTROY:
      ForgetControl();
      break;
    default:
      break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
