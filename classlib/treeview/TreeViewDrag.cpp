// Automatic dragging: a press and a move on an item start a drag that the control's window follows
// until the button is released.
#include "TreeView.h"

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
