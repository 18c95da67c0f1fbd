// The tree view wrapper: the control's creation and settings, selection and hit testing. Keeping the control
// in step with the wrapper's own items is in TreeViewSync.cpp, its messages and notifications in
// TreeViewNotify.cpp, automatic dragging in TreeViewDrag.cpp.
#include "TreeView.h"

#include "ImgList.h"

TCustomTreeView::TCustomTreeView(TComponent* owner) : TWinControl(owner), FItems(this) {
  SetColor(clWindow);
  TabStop = true;
}

TCustomTreeView::~TCustomTreeView() {
  DestroyWnd();
}

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
  if (FImages)
    SendMessageA(FHandle, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages->Handle()));
  if (FStateImages)
    SendMessageA(FHandle, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(FStateImages->Handle()));
  if (!IsSystemColor(Color())) SendMessageA(FHandle, TVM_SETBKCOLOR, 0, ColorToRGB(Color()));
  FSelectionPending = FSelected != nullptr;
  if (!FItems.Updating()) SyncControl();
}

void TCustomTreeView::DestroyWnd() {
  if (!HandleAllocated()) return;
  TFlagScope clearing(FClearing);
  ForgetControl();
  TWinControl::DestroyWnd();
}

// Also when the window dies from outside, with the window its parent lives in: a window made later
// starts from the items alone.
void TCustomTreeView::ForgetControl() {
  FNodeOfItem.clear();
  FNodeOfTag.clear();
  ForgetKeptItems();
  FRedrawHeld = false;
  FEditItem = nullptr;
  for (TTreeNode* node = FItems.GetFirstNode(); node; node = node->GetNextMade()) {
    node->FItemId = nullptr;
    node->FChildrenInControl = false;
    node->FExpandedInControl = false;
  }
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
    SendMessageA(FHandle, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TCustomTreeView::SetStateImages(TImageList* images) {
  FStateImages = images;
  if (HandleAllocated())
    SendMessageA(FHandle, TVM_SETIMAGELIST, TVSIL_STATE,
                 reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

// Selection, drop target, hit testing --------------------------------------------------------------------

TTreeNode* TCustomTreeView::Selected() const {
  return FRightClickNode ? FRightClickNode : FSelected;
}

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
  if (HandleAllocated()) ShowDropTarget();
}

void TCustomTreeView::ShowDropTarget() {
  HTREEITEM item = FDropTarget ? FDropTarget->FItemId : nullptr;
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

void TCustomTreeView::EditSelected() {
  if (ReadOnly || !FSelected || !FSelected->FItemId || !HandleAllocated()) return;
  Perform(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(FSelected->FItemId));
}

void TCustomTreeView::GetImageIndex(TTreeNode* node) {
  if (OnGetImageIndex) OnGetImageIndex(this, node);
}

void TCustomTreeView::GetSelectedIndex(TTreeNode* node) {
  if (OnGetSelectedIndex) OnGetSelectedIndex(this, node);
}
