#include "Ui.h"

namespace {
HFONT MakeFont(int weight) {
  return CreateFontA(-11, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma");
}
}  // namespace

HFONT UiFont() {
  static HFONT font = MakeFont(FW_NORMAL);
  return font;
}

HFONT UiBoldFont() {
  static HFONT font = MakeFont(FW_BOLD);
  return font;
}

HWND CreateChild(const char* className, const char* text, DWORD style, HWND parent, int id) {
  HWND child =
      CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
  return child;
}

void RegisterHostClass(const char* className, WNDPROC procedure, int background) {
  WNDCLASSA existing;
  if (GetClassInfoA(GetModuleHandleA(nullptr), className, &existing)) return;
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32517));      // IDI_WINLOGO
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
  wc.lpszClassName = className;
  RegisterClassA(&wc);
}
