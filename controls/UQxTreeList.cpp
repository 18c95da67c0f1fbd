#include "UQxTreeList.h"

#include <windowsx.h>

#include <utility>

#include "QxPlatformFacts.h"
#include "ScopeExit.h"

namespace {
constexpr DWORD kFirstVersionWithWorkingToolTips = 0x00040048;  // 4.72
constexpr DWORD kPositionFromKeyboard = 0xFFFFFFFF;

}  // namespace

TQxCustomTreeView::~TQxCustomTreeView() {
  if (HandleAllocated())
    for (int i = 0; i < Items().TopLevelCount(); ++i) NotifyDeletion(Items().TopLevel(i));
  FCustomDraw.reset();
}

void TQxCustomTreeView::CreateParams(TCreateParams& params) {
  TCustomTreeView::CreateParams(params);
  // Older comctl32 versions on NT crash or draw garbage with the tooltip of a truncated label.
  if (IsWinNT() && QxPlatformFacts().ComCtl32VersionMS < kFirstVersionWithWorkingToolTips)
    params.Style |= TVS_NOTOOLTIPS;
}

void TQxCustomTreeView::SysColorChange() {
  TCustomTreeView::SysColorChange();
  if (IsSystemColor(Color())) ColorChanged();
}

LRESULT TQxCustomTreeView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CONTEXTMENU:
      // The standard handling would pop the menu up a second time, or pass the request to the parent.
      ContextMenuRequest(lParam);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      return RightButtonDown(message, wParam, lParam);
    case WM_RBUTTONUP:
      if (FNodeMenuShown && PopupMenu) return RightButtonUp(wParam, lParam);
      break;
    default:
      break;
  }
  return TCustomTreeView::WndProc(message, wParam, lParam);
}

LRESULT TQxCustomTreeView::CNNotify(NMHDR* header) {
  switch (header->code) {
    case NM_RCLICK:
      return RightClick();
    case TVN_GETDISPINFOA:
      return GetDispInfo(header);
    case NM_CUSTOMDRAW:
      return CustomDraw(header);
    default:
      return TCustomTreeView::CNNotify(header);
  }
}

// Context menus ------------------------------------------------------------------------------------------

void TQxCustomTreeView::NodeContextMenu(TTreeNode* node, POINT& pos, TPopupMenu*& menu) {
  if (OnNodeContextMenu) OnNodeContextMenu(this, node, pos, menu);
}

void TQxCustomTreeView::PopupAt(TPopupMenu* menu, POINT client) {
  menu->PopupComponent = this;
  POINT screen = ClientToScreen(client);
  menu->Popup(screen.x, screen.y);
}

// An item's menu is dealt with here, before the standard right click; the menu request that the standard
// handling sends then finds the item standing in for the selection and leaves it alone.
LRESULT TQxCustomTreeView::RightClick() {
  POINT cursor;
  GetCursorPos(&cursor);
  POINT pos = ScreenToClient(cursor);
  TVHITTESTINFO hit{};
  hit.pt = pos;
  auto item = reinterpret_cast<HTREEITEM>(Perform(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (TTreeNode* node = NodeFromItem(item)) {
    TPopupMenu* menu = PopupMenu;
    NodeContextMenu(node, pos, menu);
    if (menu) PopupAt(menu, pos);
    FNodeMenuShown = true;
  }
  return DefaultRightClick();
}

void TQxCustomTreeView::ContextMenuRequest(LPARAM position) {
  if (Selected() || FNodeMenuShown) return;
  if (static_cast<DWORD>(position) == kPositionFromKeyboard) {
    DoKeyboardContextMenu();
    return;
  }
  POINT screen{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  DoNodeContextMenu(Selected(), ScreenToClient(screen));
}

void TQxCustomTreeView::DoNodeContextMenu(TTreeNode* node, POINT pos) {
  TPopupMenu* menu = PopupMenu;
  NodeContextMenu(node, pos, menu);
  if (menu != PopupMenu) FNodeMenuShown = true;
  if (menu) PopupAt(menu, pos);
}

POINT TQxCustomTreeView::LabelCentre(TTreeNode* node) {
  RECT label = node->DisplayRect(true);
  return POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
}

void TQxCustomTreeView::DoKeyboardContextMenu() {
  if (TTreeNode* node = Selected()) {
    DoNodeContextMenu(node, LabelCentre(node));
  } else if (PopupMenu) {
    PopupAt(PopupMenu, POINT{0, 0});
  }
}

void TQxCustomTreeView::KeyDown(WORD& key, TShiftState shift) {
  TShiftState modifiers = shift & (ssShift | ssCtrl | ssAlt);
  if ((key == VK_APPS && modifiers == 0) || (key == VK_F10 && modifiers == ssShift)) {
    key = 0;
    DoKeyboardContextMenu();
  } else if (key == VK_F2 && modifiers == 0) {  // renames, as in the system's file views
    key = 0;
    EditSelected();
  }
  TCustomTreeView::KeyDown(key, shift);
}

// The control follows a right press itself, and once it sees the release it takes it out of the queue and
// reports the click (NM_RCLICK): that release never reaches this window. The click is over when the press
// has been handled with the button up again. With the button still down (a drag began, or the control lost
// the capture), the release is still to come and ends the click itself.
LRESULT TQxCustomTreeView::RightButtonDown(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = TCustomTreeView::WndProc(message, wParam, lParam);
  if (FNodeMenuShown && PopupMenu && GetKeyState(VK_RBUTTON) >= 0) FNodeMenuShown = false;
  return result;
}

// The release after a right click that already had its menu: the automatic pop-up must not add another.
LRESULT TQxCustomTreeView::RightButtonUp(WPARAM wParam, LPARAM lParam) {
  bool autoPopup = PopupMenu->AutoPopup;
  PopupMenu->AutoPopup = false;
  TOnScopeExit restore([this, autoPopup] {
    if (PopupMenu) PopupMenu->AutoPopup = autoPopup;
    FNodeMenuShown = false;
  });
  return TCustomTreeView::WndProc(WM_RBUTTONUP, wParam, lParam);
}

// Display requests ---------------------------------------------------------------------------------------

// The standard handling would raise the image events a second time for the same request.
LRESULT TQxCustomTreeView::GetDispInfo(NMHDR* header) {
  auto* info = reinterpret_cast<NMTVDISPINFOA*>(header);
  if (TTreeNode* node = NodeFromItem(info->item.hItem)) {
    if (info->item.mask & TVIF_IMAGE) {
      GetImageIndex(node);
      info->item.iImage = node->ImageIndex();
    }
    if (info->item.mask & TVIF_SELECTEDIMAGE) {
      GetSelectedIndex(node);
      info->item.iSelectedImage = node->SelectedIndex();
    }
  }
  TTVChangedEvent imageEvent = std::exchange(OnGetImageIndex, nullptr);
  TTVChangedEvent selectedEvent = std::exchange(OnGetSelectedIndex, nullptr);
  TOnScopeExit reattach([&] {
    OnGetImageIndex = std::move(imageEvent);
    OnGetSelectedIndex = std::move(selectedEvent);
  });
  return TCustomTreeView::CNNotify(header);
}

// Custom drawing -----------------------------------------------------------------------------------------

LRESULT TQxCustomTreeView::CustomDraw(NMHDR* header) {
  if (CustomDrawAssigned()) return TCustomTreeView::CNNotify(header);
  LRESULT result = CDRF_DODEFAULT;
  FCustomDraw.reset();
  FCustomDraw = DispatchCustomDraw(reinterpret_cast<NMCUSTOMDRAW*>(header), result);
  return result;
}

std::unique_ptr<TQxCustomDraw> TQxCustomTreeView::CreateCustomDraw(NMCUSTOMDRAW* record, LRESULT& result) {
  auto draw = std::make_unique<TQxTvCustomDraw>(record, result, &Font());
  draw->NotifyItems = true;
  return draw;
}

std::unique_ptr<TQxCustomDraw> TQxCustomTreeView::DispatchCustomDraw(NMCUSTOMDRAW* record, LRESULT& result) {
  const bool simple = static_cast<bool>(OnQxCustomDraw);
  const bool extended = static_cast<bool>(OnQxCustomDrawEx);
  const DWORD stage = record->dwDrawStage;
  std::unique_ptr<TQxCustomDraw> draw;
  TTreeNode* node = nullptr;
  auto itemDrawn = [&] { return NodeFromItem(reinterpret_cast<HTREEITEM>(record->dwItemSpec)); };
  if (extended) {
    draw = CreateCustomDraw(record, result);
    if (stage & CDDS_ITEM) node = itemDrawn();
    OnQxCustomDrawEx(this, draw.get(), node);
  }
  if (simple && (stage & CDDS_ITEMPREPAINT) == CDDS_ITEMPREPAINT) {
    if (!draw) {
      draw = CreateCustomDraw(record, result);
      node = itemDrawn();
    }
    OnQxCustomDraw(this, draw.get(), node);
  }
  if (draw) draw->Apply();
  if ((stage & CDDS_PREPAINT) && (simple || extended)) result |= CDRF_NOTIFYITEMDRAW;
  return draw;
}
