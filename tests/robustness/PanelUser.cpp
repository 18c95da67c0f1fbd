#include "PanelUser.h"

namespace {
int WatchdogTicks = 0;
bool WatchdogFired = false;
UINT_PTR WatchdogTimer = 0;

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "#32768") == 0 && IsWindowVisible(window)) *reinterpret_cast<bool*>(found) = true;
  return TRUE;
}

void CALLBACK WatchdogTick(HWND, UINT, UINT_PTR, DWORD) {
  bool open = false;
  EnumWindows(FindMenuWindow, reinterpret_cast<LPARAM>(&open));
  if (!open) return;
  if (++WatchdogTicks >= 20) {
    WatchdogFired = true;
    EndMenu();
  }
}
}  // namespace

std::vector<HTREEITEM> PanelUser::Items() const {
  std::vector<HTREEITEM> items;
  for (const TreeItemInfo& item : ReadTreeItems(Tree())) items.push_back(item.item);
  return items;
}

std::string PanelUser::Label(HTREEITEM item) const {
  return ReadTreeItem(Tree(), item).label;
}

// A user scrolls an item into view before pointing at it.
POINT PanelUser::Centre(HTREEITEM item) const {
  SendMessageA(Tree(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  RECT r{};
  memcpy(&r, &item, sizeof item);
  SendMessageA(Tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// On the item's glyph rather than its label: a click on the label of the item already selected starts
// the control's label editing from a timer, which would make a seeded run depend on the clock. Label
// editing has its own action.
POINT PanelUser::Glyph(HTREEITEM item) const {
  POINT p = Centre(item);
  RECT r{};
  memcpy(&r, &item, sizeof item);
  SendMessageA(Tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
  return POINT{r.left - 8, p.y};
}

void PanelUser::Click(HTREEITEM item) {
  FPanel.ClickAt(Glyph(item));
}

void PanelUser::DoubleClick(HTREEITEM item) {
  FPanel.DoubleClickAt(Glyph(item));
}

void PanelUser::RightClick(HTREEITEM item, int downs) {
  FPanel.RightClickAt(Centre(item), downs < 0 ? 0 : downs);
}

void PanelUser::Key(WORD key) {
  FPanel.PressKey(key);
}

void PanelUser::EditLabel(HTREEITEM item, const std::string& text, bool commit) {
  SetFocus(Tree());
  auto edit = reinterpret_cast<HWND>(SendMessageA(Tree(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item)));
  if (!edit) return;
  SetWindowTextA(edit, text.c_str());
  SendMessageA(edit, WM_KEYDOWN, commit ? VK_RETURN : VK_ESCAPE, 0);
  PluginHost::Pump();
}

void PanelUser::Drag(HTREEITEM from, HTREEITEM to) {
  POINT end = Centre(to);
  POINT start = Centre(from);
  end = from == to ? start : end;
  if (from != to) {
    // Scrolling to the start may have moved the target: ask again, but without scrolling back.
    RECT r{};
    memcpy(&r, &to, sizeof to);
    if (SendMessageA(Tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)))
      end = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  FPanel.DragBetween(start, end);
}

void PanelUser::DragOutside(HTREEITEM from) {
  POINT start = Centre(from);
  FPanel.DragBetween(start, FPanel.OutsideTree());
}

MenuWatchdog::MenuWatchdog() {
  WatchdogTicks = 0;
  WatchdogFired = false;
  WatchdogTimer = SetTimer(nullptr, 0, 50, WatchdogTick);
}

MenuWatchdog::~MenuWatchdog() {
  KillTimer(nullptr, WatchdogTimer);
}

bool MenuWatchdog::Fired() const {
  return WatchdogFired;
}
