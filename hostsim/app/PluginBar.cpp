#include "PluginBar.h"

#include <commctrl.h>

#include <string>

#include "Ui.h"

namespace {
const char kClassName[] = "QuillonHost.PluginBar";
constexpr int kButtonId = 100;
constexpr int kButtonSize = 44;
}  // namespace

HWND PluginBar::Create(HWND parent) {
  RegisterHostClass(kClassName, Proc, COLOR_BTNFACE);
  FWindow = CreateWindowExA(0, kClassName, "Plug-ins", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 10,
                            kHeight, parent, nullptr, GetModuleHandleA(nullptr), this);
  FButton = CreateChild("BUTTON", "", BS_CHECKBOX | BS_PUSHLIKE | BS_BITMAP | WS_TABSTOP, FWindow, kButtonId);
  // Buttons report no right click; the host wants one, as for any plug-in button.
  SetWindowLongPtrA(FButton, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  FButtonDefault = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(FButton, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PluginBar::ButtonProc)));
  FTitle = CreateChild("STATIC", "", SS_LEFT | SS_NOPREFIX, FWindow);
  SendMessageA(FTitle, WM_SETFONT, reinterpret_cast<WPARAM>(UiBoldFont()), FALSE);
  FText = CreateChild("STATIC", "", SS_LEFT | SS_NOPREFIX, FWindow);
  FTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                         FWindow, nullptr, GetModuleHandleA(nullptr), nullptr);
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = FWindow;
  tool.uId = reinterpret_cast<UINT_PTR>(FButton);
  tool.lpszText = const_cast<char*>("");
  SendMessageA(FTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  return FWindow;
}

void PluginBar::SetTip(const char* text) {
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = FWindow;
  tool.uId = reinterpret_cast<UINT_PTR>(FButton);
  tool.lpszText = const_cast<char*>(text);
  SendMessageA(FTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void PluginBar::Show(const PluginSlot& slot) {
  FError = !slot.Loaded();
  SendMessageA(FButton, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(slot.Bitmap()));
  EnableWindow(FButton, slot.Loaded());
  if (slot.Loaded()) {
    std::string title = slot.Description();
    std::string text = std::string(slot.Data().title) + " by " + slot.Data().author + ", interface version " +
                       std::to_string(slot.Version()) + ". Click the button to show or hide its panel.";
    SetWindowTextA(FTitle, title.c_str());
    SetWindowTextA(FText, text.c_str());
    SetTip(slot.Description().c_str());
  } else {
    SetWindowTextA(FTitle, "No plug-in loaded");
    SetWindowTextA(FText, slot.Error().c_str());
    SetTip(slot.Error().c_str());
  }
  SetActive(false);
  InvalidateRect(FWindow, nullptr, TRUE);
}

void PluginBar::SetActive(bool active) {
  FActive = active;
  SendMessageA(FButton, BM_SETCHECK, active ? BST_CHECKED : BST_UNCHECKED, 0);
}

void PluginBar::Layout(int width) {
  MoveWindow(FWindow, 0, 0, width, kHeight, TRUE);
  int x = 6 + kButtonSize + 10;
  MoveWindow(FButton, 6, (kHeight - kButtonSize) / 2, kButtonSize, kButtonSize, TRUE);
  MoveWindow(FTitle, x, 10, width - x - 8, 16, TRUE);
  MoveWindow(FText, x, 28, width - x - 8, 16, TRUE);
}

LRESULT PluginBar::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED && OnLeftClick) OnLeftClick();
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      SetTextColor(dc, FError && reinterpret_cast<HWND>(lParam) == FText ? RGB(176, 0, 0)
                                                                         : GetSysColor(COLOR_BTNTEXT));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(FWindow, &ps);
      RECT client;
      GetClientRect(FWindow, &client);
      client.top = client.bottom - 2;
      DrawEdge(dc, &client, EDGE_ETCHED, BF_TOP);
      EndPaint(FWindow, &ps);
      return 0;
    }
  }
  return DefWindowProcA(FWindow, message, wParam, lParam);
}

LRESULT CALLBACK PluginBar::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = AttachObject<PluginBar>(window, message, lParam);
  if (!self || !self->FWindow) return DefWindowProcA(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT CALLBACK PluginBar::ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<PluginBar*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_RBUTTONUP && self->OnRightClick) {
    self->OnRightClick();
    return 0;
  }
  if (message == WM_NCDESTROY)
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->FButtonDefault));
  return CallWindowProcA(self->FButtonDefault, window, message, wParam, lParam);
}
