#include "BoxDriver.h"

#include <string>

#include "MsgBoxWindow.h"
#include "RealInput.h"

namespace {
constexpr int kGraceTicks = TThreadTicker::TicksIn(1000);

struct TClassSearch {
  HWND found = nullptr;
  int count = 0;
};

BOOL CALLBACK NoteBox(HWND window, LPARAM search) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof(name));
  if (std::string(name) == kMessageBoxClassName) {
    auto* result = reinterpret_cast<TClassSearch*>(search);
    ++result->count;
    if (IsWindowVisible(window)) result->found = window;
  }
  return TRUE;
}

TClassSearch SearchBoxes() {
  TClassSearch search;
  EnumThreadWindows(GetCurrentThreadId(), NoteBox, reinterpret_cast<LPARAM>(&search));
  return search;
}

LPARAM KeyData(UINT key, bool up) {
  const UINT scan = MapVirtualKeyA(key, 0);
  return 1 | (scan << 16) | (up ? 0xC0000000u : 0);
}
}  // namespace

TBoxDriver::TBoxDriver(std::vector<TStep> steps) : FSteps(std::move(steps)) {}

void TBoxDriver::OnTick() {
  HWND box = FindOpenBox();
  if (!box) return;
  if (FNext < static_cast<int>(FSteps.size())) {
    FSteps[FNext++](box);
    return;
  }
  if (++FIdleTicks == kGraceTicks) {
    FForcedClose = true;
    CloseFromTitleBar(box);
  }
}

void TErrorBoxCloser::OnTick() {
  if (FCloseWhen && !FCloseWhen()) return;
  EnumThreadWindows(GetCurrentThreadId(), CloseIfErrorBox, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK TErrorBoxCloser::CloseIfErrorBox(HWND window, LPARAM self) {
  auto* closer = reinterpret_cast<TErrorBoxCloser*>(self);
  char name[16] = "";
  GetClassNameA(window, name, sizeof(name));
  if (std::string(name) != "#32770" || !IsWindowVisible(window) || window == closer->FClosing) return TRUE;
  char text[512] = "";
  GetDlgItemTextA(window, 0xFFFF, text, sizeof(text));  // the system box's message
  closer->FLastText = text;
  ++closer->FCount;
  closer->FClosing = window;
  PostMessageA(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

HWND FindOpenBox() {
  return SearchBoxes().found;
}
int CountBoxWindows() {
  return SearchBoxes().count;
}

HWND FindButton(HWND box, const char* caption) {
  return FindWindowExA(box, nullptr, "Button", caption);
}
HWND FindCheckBox(HWND box) {
  return FindButton(box, kDontShowAgainCaption);
}

void PressKey(HWND target, UINT key) {
  PostMessageA(target, WM_KEYDOWN, key, KeyData(key, false));
  PostMessageA(target, WM_KEYUP, key, KeyData(key, true));
}

void TypeChar(HWND target, char character) {
  PostMessageA(target, WM_CHAR, static_cast<unsigned char>(character), 1);
}

void PressAltF4(HWND target) {
  const LPARAM altDown = 0x20000000;
  PostMessageA(target, WM_SYSKEYDOWN, VK_F4, KeyData(VK_F4, false) | altDown);
  PostMessageA(target, WM_SYSKEYUP, VK_F4, KeyData(VK_F4, true) | altDown);
}

void ClickWithMouse(HWND control) {
  RECT client{};
  GetClientRect(control, &client);
  const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(control, WM_LBUTTONUP, 0, at);
}

void ClickWithPointer(HWND control) {
  RECT client{};
  GetClientRect(control, &client);
  POINT centre{client.right / 2, client.bottom / 2};
  ClientToScreen(control, &centre);
  PointerMoveTo(centre);
  ClickButtonHere(false);
}

void CloseFromTitleBar(HWND box) {
  PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
}

RECT RectInClient(HWND box, HWND child) {
  RECT bounds{};
  GetWindowRect(child, &bounds);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}
