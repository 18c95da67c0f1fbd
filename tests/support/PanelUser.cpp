#include "PanelUser.h"

#include <cstring>
#include <memory>

#include "RealInput.h"
#include "ThreadMessages.h"

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

// The label's rectangle, empty when the control shows no part of the item.
RECT LabelRect(HWND tree, HTREEITEM item) {
  RECT r{};
  std::memcpy(&r, &item, sizeof item);  // the item goes in, its rectangle comes out
  if (!SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r))) return RECT{};
  return r;
}

POINT CentreOf(const RECT& r) {
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
}  // namespace

std::vector<HWND> PanelUser::ToolBars() const {
  std::vector<HWND> bars;
  EnumChildWindows(FHost.Panel(), CollectToolBars, reinterpret_cast<LPARAM>(&bars));
  return bars;
}

std::vector<HTREEITEM> PanelUser::Items() const {
  std::vector<HTREEITEM> items;
  for (const TreeItemInfo& item : FHost.ReadTree()) items.push_back(item.item);
  return items;
}

std::string PanelUser::Label(HTREEITEM item) const {
  return ReadTreeItem(Tree(), item).label;
}

std::string PanelUser::SelectedLabel() const {
  for (const TreeItemInfo& item : FHost.ReadTree())
    if (item.selected) return item.label;
  return "";
}

std::vector<std::string> PanelUser::HighlightedLabels() const {
  std::vector<std::string> labels;
  for (HTREEITEM item : Items()) {
    const UINT marks = TVIS_SELECTED | TVIS_DROPHILITED;
    if (SendMessageA(Tree(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), marks) & marks)
      labels.push_back(Label(item));
  }
  return labels;
}

POINT PanelUser::Centre(HTREEITEM item) const {
  SendMessageA(Tree(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  return CentreOf(LabelRect(Tree(), item));
}

POINT PanelUser::Glyph(HTREEITEM item) const {
  POINT p = Centre(item);
  return POINT{LabelRect(Tree(), item).left - 8, p.y};
}

void PanelUser::ClickAt(POINT p) {
  PostMessageA(Tree(), WM_LBUTTONUP, 0, At(p));
  SendMessageA(Tree(), WM_LBUTTONDOWN, MK_LBUTTON, At(p));
  PluginHost::Pump();
}

void PanelUser::Click(HTREEITEM item) {
  ClickAt(Glyph(item));
}

void PanelUser::DoubleClick(HTREEITEM item) {
  POINT p = Glyph(item);
  ClickAt(p);
  PostMessageA(Tree(), WM_LBUTTONUP, 0, At(p));
  SendMessageA(Tree(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(p));
  PluginHost::Pump();
}

namespace {
BOOL CALLBACK FindShownMenu(HWND window, LPARAM found) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "#32768") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// Answers the first pop-up menu of this thread that shows while it lives, from inside the menu's own
// loop: downs Down presses, then Return (Escape when downs is 0).
class TMenuAnswer : public TThreadTicker {
 public:
  explicit TMenuAnswer(int downs) : FDowns(downs) {}

 private:
  void OnTick() override {
    HWND menu = nullptr;
    if (FAnswered || EnumThreadWindows(GetCurrentThreadId(), FindShownMenu, reinterpret_cast<LPARAM>(&menu)))
      return;
    HWND owner = GetWindow(menu, GW_OWNER);
    HWND target = owner ? owner : GetFocus();
    for (int i = 0; i < FDowns; ++i) PostKey(target, VK_DOWN);
    PostKey(target, FDowns > 0 ? VK_RETURN : VK_ESCAPE);
    FAnswered = true;
  }
  int FDowns;
  bool FAnswered = false;
};
}  // namespace

// A right click is real pointer input: the control follows the press itself and takes the release out of
// the queue, as it does for a person. Only what shows can be clicked: a host view the suite hid is shown
// for the click.
void PanelUser::RightClickAt(POINT p, int downs) {
  HWND view = FHost.MainView();
  const bool hidden = view && !IsWindowVisible(view);
  if (hidden) ShowWindow(view, SW_SHOWNA);
  // Two presses on one spot within the double-click time make a double click, which opens no menu: one
  // click after another lands a few pixels aside, as a hand does.
  POINT screen{p.x + (FRightClicks++ % 2 ? 4 : -4), p.y};
  ClientToScreen(Tree(), &screen);
  PointerTo(screen);
  std::unique_ptr<TMenuAnswer> answer;
  if (downs >= 0) answer = std::make_unique<TMenuAnswer>(downs);
  ClickButtonHere(true);
  PluginHost::Pump();
  if (hidden) ShowWindow(view, SW_HIDE);
}

void PanelUser::RightClick(HTREEITEM item, int downs) {
  RightClickAt(Centre(item), downs);
}

void PanelUser::DragBetween(POINT start, POINT end) {
  PostMessageA(Tree(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x + 20, start.y + 20));
  SendMessageA(Tree(), WM_LBUTTONDOWN, MK_LBUTTON, At(start));
  SendMessageA(Tree(), WM_MOUSEMOVE, MK_LBUTTON, At(end));
  SendMessageA(Tree(), WM_LBUTTONUP, 0, At(end));
  PluginHost::Pump();
}

void PanelUser::Drag(HTREEITEM from, HTREEITEM to) {
  POINT end = Centre(to);
  POINT start = Centre(from);
  // Scrolling to the start may have moved the target: asked again, but without scrolling back.
  if (RECT target = LabelRect(Tree(), to); !IsRectEmpty(&target)) end = CentreOf(target);
  DragBetween(start, from == to ? start : end);
}

void PanelUser::DragOutside(HTREEITEM from) {
  RECT client;
  GetClientRect(Tree(), &client);
  DragBetween(Centre(from), POINT{client.right + 40, client.bottom + 40});
}

HWND PanelUser::OpenLabelEdit(HTREEITEM item, const std::string& text) {
  SetFocus(Tree());
  auto edit = reinterpret_cast<HWND>(SendMessageA(Tree(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item)));
  if (edit) SetWindowTextA(edit, text.c_str());
  return edit;
}

void PanelUser::EndLabelEdit(HWND edit, bool commit) {
  SendMessageA(edit, WM_KEYDOWN, commit ? VK_RETURN : VK_ESCAPE, 0);
  PluginHost::Pump();
}

bool PanelUser::EditLabel(HTREEITEM item, const std::string& text, bool commit) {
  HWND edit = OpenLabelEdit(item, text);
  if (!edit) return false;
  EndLabelEdit(edit, commit);
  return true;
}

void PanelUser::PressKey(WORD key) {
  SetFocus(Tree());
  SendMessageA(Tree(), WM_KEYDOWN, key, 1);
  SendMessageA(Tree(), WM_KEYUP, key, 0xC0000001);
  PluginHost::Pump();
}

POINT PanelUser::OnScreen(POINT client) const {
  ClientToScreen(Tree(), &client);
  return client;
}

void PanelUser::HandClick(const std::string& label) {
  PointerMoveTo(OnScreen(Glyph(Item(label))));
  ClickButtonHere(false);
  PluginHost::Pump();
}

// The control follows the press in a loop of its own until the pointer leaves the drag threshold: the
// move that leaves it is queued before the press is handled. A hand on its way to another item leaves
// the pressed one toward it, over the neighbouring row.
void PanelUser::PressAndMoveOver(const std::string& from, const std::string& over) {
  RECT pressed = LabelRect(Tree(), Item(from));
  // Two presses on one spot within the double-click time make a double click, which starts no drag.
  POINT start = OnScreen(Centre(Item(from)));
  start.x += FPresses++ % 2 ? 4 : -4;
  POINT end = OnScreen(CentreOf(LabelRect(Tree(), Item(over))));
  const int row = pressed.bottom - pressed.top;
  POINT away = end.y == start.y ? POINT{start.x + 2 * GetSystemMetrics(SM_CXDRAG) + 2, start.y}
                                : POINT{start.x, start.y + (end.y > start.y ? row : -row)};
  PointerMoveTo(start);
  PluginHost::Pump();
  ButtonHere(false, true);
  PointerMoveTo(away);
  PluginHost::Pump();
  PointerMoveTo(end);
  PluginHost::Pump();
}

void PanelUser::ReleaseButton() {
  ButtonHere(false, false);
  PluginHost::Pump();
}

void PanelUser::HandClickToolButton(HWND bar, int index) {
  POINT p = ButtonCentre(bar, index);
  ClientToScreen(bar, &p);
  PointerMoveTo(p);
  ClickButtonHere(false);
  PluginHost::Pump();
}

void PanelUser::HandKey(WORD key) {
  TypeKey(key);
  PluginHost::Pump();
}

void PanelUser::HandType(const std::string& text) {
  TypeText(text);
  PluginHost::Pump();
}

POINT PanelUser::ButtonCentre(HWND bar, int index) {
  RECT r{};
  SendMessageA(bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return CentreOf(r);
}

void PanelUser::ClickToolButton(HWND bar, int index) {
  POINT p = ButtonCentre(bar, index);
  SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(p));
  SendMessageA(bar, WM_LBUTTONUP, 0, At(p));
  PluginHost::Pump();
}

void PanelUser::ChooseFileMenu(int entry) {
  HWND bar = ToolBars().at(0);
  for (int i = 0; i <= entry; ++i) PostKey(bar, VK_DOWN);
  PostKey(bar, VK_RETURN);
  ClickToolButton(bar, 0);
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
