#include "MenuWatcher.h"

#include <string>

#include "Menus.h"

namespace {
TMenuWatcher* Watching = nullptr;  // hooks and TIMERPROCs carry no context; one watcher at a time
constexpr UINT kTickMs = 25;
constexpr int kTicksBeforeForcedEnd = 80;

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
    FShown.push_back({POINT{r.left, r.top}, shown ? GetMenuItemCount(shown) : -1});
    HWND owner = GetWindow(menu, GW_OWNER);
    PostMessageA(owner ? owner : GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
  } else if (FTicksOpen == kTicksBeforeForcedEnd) {
    EndMenu();
  }
}
