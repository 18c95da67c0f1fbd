#include "MenuWatcher.h"

#include <string>

#include "Menus.h"

namespace {
TMenuWatcher* Watching = nullptr;  // a hook carries no context; one watcher at a time
constexpr int kTicksBeforeForcedEnd = TThreadTicker::TicksIn(2000);
constexpr int kWatchdogTicks = TThreadTicker::TicksIn(1000);
constexpr ULONG_PTR kLastPredefinedPicture = 11;  // HBMMENU_POPUP_MINIMIZE

// Read from the menu window itself, so it works for a menu of another module too.
void ReadEntries(HWND window, TShownMenu& shown) {
  shown.menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
  for (int i = 0; shown.menu && i < GetMenuItemCount(shown.menu); ++i) {
    char text[128] = "";
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_BITMAP;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(shown.menu, i, TRUE, &info);
    shown.items.push_back((info.fType & MFT_SEPARATOR) ? "-" : text);
    if (reinterpret_cast<ULONG_PTR>(info.hbmpItem) > kLastPredefinedPicture)
      shown.pictures.push_back(info.hbmpItem);
  }
}

bool IsMenuWindow(HWND window) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof(name));
  return std::string(name) == "#32768";
}

BOOL CALLBACK NoteOpenMenu(HWND window, LPARAM open) {
  if (IsMenuWindow(window) && IsWindowVisible(window)) *reinterpret_cast<bool*>(open) = true;
  return TRUE;
}
}  // namespace

TMenuWatcher::TMenuWatcher() {
  Watching = this;
  FHook = HookThread(WH_CBT, CbtHook);
}

TMenuWatcher::~TMenuWatcher() {
  FHook.reset();
  Watching = nullptr;
}

LRESULT CALLBACK TMenuWatcher::CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && Watching && IsMenuWindow(reinterpret_cast<HWND>(wParam)))
    Watching->FOpened.push_back(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TMenuWatcher::OnTick() {
  // A menu is done with once its window is gone or hidden again, or when a later one has opened.
  while (FClosing < FOpened.size()) {
    HWND menu = FOpened[FClosing];
    if (IsWindow(menu) && IsWindowVisible(menu)) break;
    bool done = !IsWindow(menu) || FTicksOpen > 0 || FClosing + 1 < FOpened.size();
    if (!done) return;  // made, not shown yet
    ++FClosing;
    FTicksOpen = 0;
  }
  if (FClosing >= FOpened.size()) return;
  HWND menu = FOpened[FClosing];
  if (FTicksOpen++ == 0) {
    RECT r;
    GetWindowRect(menu, &r);
    HMENU shown = TPopupMenu::ShownMenu();
    TShownMenu& seen = FShown.emplace_back();
    seen.origin = POINT{r.left, r.top};
    seen.entries = shown ? GetMenuItemCount(shown) : -1;
    ReadEntries(menu, seen);
    HWND owner = GetWindow(menu, GW_OWNER);
    PostMessageA(owner ? owner : GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
  } else if (FTicksOpen == kTicksBeforeForcedEnd) {
    EndMenu();
  }
}

void TMenuWatchdog::OnTick() {
  bool open = false;
  EnumWindows(NoteOpenMenu, reinterpret_cast<LPARAM>(&open));
  if (!open) return;
  if (++FTicksOpen >= kWatchdogTicks) {
    FFired = true;
    EndMenu();
  }
}
