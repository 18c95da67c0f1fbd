// Automatic dragging: a press and a move on an item start a drag that the control's window follows
// until the button is released.
#include "TreeView.h"

// Automatic dragging -------------------------------------------------------------------------------------

// The pressed item is the selected one while the drag lasts; a drag that ends without a drop gives the
// selection back to the item that had it. The keyboard belongs to the tree from here on, for the Escape
// that ends the drag and for the keys after it: one implementation of the control leaves the focus
// wherever the press's activation put it.
void TCustomTreeView::BeginAutoDrag(TTreeNode* node) {
  if (!node) return;
  FSelectedBeforeDrag = FSelected;
  FSelectionBeforeDragKept = true;
  SetSelected(node);
  FDragging = true;
  FDragAccepted = false;
  SetDropTarget(nullptr);
  SetCapture(FHandle);
  SetFocus(FHandle);
  if (OnStartDrag) OnStartDrag(this);
  POINT cursor;
  GetCursorPos(&cursor);
  POINT client = ScreenToClient(cursor);
  DragMove(client.x, client.y);
  // One implementation of the control takes the pressed item for its drop item once the begin-drag
  // notification returns, without marking it: the mark given in here would never be taken off again.
  // The control is told once more when it is done.
  PostCall([this] {
    if (FDragging) ShowDropTarget();
  });
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
  TTreeNode* before = FSelectedBeforeDrag;
  const bool restore = !accepted && FSelectionBeforeDragKept;
  FSelectedBeforeDrag = nullptr;
  FSelectionBeforeDragKept = false;
  if (accepted && OnDragDrop) OnDragDrop(this, this, x, y);
  SetDropTarget(nullptr);
  if (restore) SetSelected(before);
  if (OnEndDrag) OnEndDrag(this, accepted ? this : nullptr, x, y);
}
