#include "MenuWatcher.h"

#include <string>

#include "Menus.h"

namespace {
TMenuWatcher* Watching = nullptr;  // hooks and TIMERPROCs carry no context; one watcher at a time
constexpr UINT kTickMs = 25;
constexpr int kTicksBeforeForcedEnd = 80;

// Read from the menu window itself, so it works for a menu of another module too.
std::vector<std::string> MenuItems(HWND window) {
  std::vector<std::string> items;
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
    char text[128] = "";
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, i, TRUE, &info);
    items.push_back((info.fType & MFT_SEPARATOR) ? "-" : text);
  }
  return items;
}

bool IsMenuWindow(HWND window) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof(name));
  return std::string(name) == "#32768";
}
}  // namespace

TMenuWatcher::TMenuWatcher() {
  Watching = this;
  FHook = SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
  FTimer = SetTimer(nullptr, 0, kTickMs, Tick);
}

TMenuWatcher::~TMenuWatcher() {
  KillTimer(nullptr, FTimer);
  UnhookWindowsHookEx(FHook);
  Watching = nullptr;
}

LRESULT CALLBACK TMenuWatcher::CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && Watching && IsMenuWindow(reinterpret_cast<HWND>(wParam)))
    Watching->FOpened.push_back(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK TMenuWatcher::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (Watching) Watching->Look();
}

void TMenuWatcher::Look() {
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
    FShown.push_back({POINT{r.left, r.top}, shown ? GetMenuItemCount(shown) : -1, MenuItems(menu)});
    HWND owner = GetWindow(menu, GW_OWNER);
    PostMessageA(owner ? owner : GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
  } else if (FTicksOpen == kTicksBeforeForcedEnd) {
    EndMenu();
  }
}
