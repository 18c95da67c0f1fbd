#include "PanelDriver.h"

namespace {
BOOL CALLBACK CollectToolBars(HWND window, LPARAM data) {
  char name[64];
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "Quillon.ToolBar") == 0) reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

LPARAM At(POINT p) {
  return MAKELPARAM(p.x, p.y);
}

void PostKey(HWND window, WORD key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}
}  // namespace

std::vector<HWND> PanelDriver::ToolBars() const {
  std::vector<HWND> bars;
  EnumChildWindows(FHost.Panel(), CollectToolBars, reinterpret_cast<LPARAM>(&bars));
  return bars;
}

POINT PanelDriver::ItemCentre(const std::string& label) const {
  HTREEITEM item = FHost.FindItem(label);
  RECT r{};
  memcpy(&r, &item, sizeof item);
  SendMessageA(Tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::string PanelDriver::SelectedLabel() const {
  for (const TreeItemInfo& item : FHost.ReadTree())
    if (item.selected) return item.label;
  return "";
}

void PanelDriver::ClickAt(POINT p) {
  PostMessageA(Tree(), WM_LBUTTONUP, 0, At(p));
  SendMessageA(Tree(), WM_LBUTTONDOWN, MK_LBUTTON, At(p));
  PluginHost::Pump();
}

void PanelDriver::DoubleClickAt(POINT p) {
  ClickAt(p);
  PostMessageA(Tree(), WM_LBUTTONUP, 0, At(p));
  SendMessageA(Tree(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(p));
  PluginHost::Pump();
}

// The menu's keys go into the queue after the release, so the control's own loop stops at the release and
// the menu's loop gets the keys.
void PanelDriver::RightClickAt(POINT p, int downs) {
  POINT screen = p;
  ClientToScreen(Tree(), &screen);
  SetCursorPos(screen.x, screen.y);
  PostMessageA(Tree(), WM_RBUTTONUP, 0, At(p));
  for (int i = 0; i < downs; ++i) PostKey(Tree(), VK_DOWN);
  if (downs >= 0) PostKey(Tree(), downs > 0 ? VK_RETURN : VK_ESCAPE);
  SendMessageA(Tree(), WM_RBUTTONDOWN, MK_RBUTTON, At(p));
  PluginHost::Pump();
}

void PanelDriver::DragBetween(POINT start, POINT end) {
  PostMessageA(Tree(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x + 20, start.y + 20));
  SendMessageA(Tree(), WM_LBUTTONDOWN, MK_LBUTTON, At(start));
  SendMessageA(Tree(), WM_MOUSEMOVE, MK_LBUTTON, At(end));
  SendMessageA(Tree(), WM_LBUTTONUP, 0, At(end));
  PluginHost::Pump();
}

POINT PanelDriver::OutsideTree() const {
  RECT client;
  GetClientRect(Tree(), &client);
  return POINT{client.right + 40, client.bottom + 40};
}

void PanelDriver::ClickItem(const std::string& label) {
  ClickAt(ItemCentre(label));
}

void PanelDriver::RightClickItem(const std::string& label) {
  RightClickAt(ItemCentre(label), -1);
}

void PanelDriver::PressKey(WORD key) {
  SetFocus(Tree());
  SendMessageA(Tree(), WM_KEYDOWN, key, 1);
  SendMessageA(Tree(), WM_KEYUP, key, 0xC0000001);
  PluginHost::Pump();
}

void PanelDriver::ClickToolButton(HWND bar, int index) {
  RECT r{};
  SendMessageA(bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(p));
  SendMessageA(bar, WM_LBUTTONUP, 0, At(p));
  PluginHost::Pump();
}

void PanelDriver::ChooseFileMenu(int entry) {
  HWND bar = ToolBars().at(0);
  for (int i = 0; i <= entry; ++i) {
    PostMessageA(bar, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(bar, WM_KEYUP, VK_DOWN, 0);
  }
  PostMessageA(bar, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageA(bar, WM_KEYUP, VK_RETURN, 0);
  ClickToolButton(bar, 0);
}

void PanelDriver::Drag(const std::string& from, const std::string& to) {
  DragBetween(ItemCentre(from), ItemCentre(to));
}

void PanelDriver::DragOutside(const std::string& from) {
  DragBetween(ItemCentre(from), OutsideTree());
}

std::string ToolHint(HWND bar, int index) {
  TBBUTTON button{};
  SendMessageA(bar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
  NMTTDISPINFOA info{};
  info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageA(bar, TB_GETTOOLTIPS, 0, 0));
  info.hdr.idFrom = button.idCommand;
  info.hdr.code = TTN_GETDISPINFOA;
  SendMessageA(GetParent(bar), WM_NOTIFY, button.idCommand, reinterpret_cast<LPARAM>(&info));
  return info.lpszText ? info.lpszText : info.szText;
}
