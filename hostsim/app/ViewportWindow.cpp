#include "ViewportWindow.h"

#include "Ui.h"

namespace {
const char kClassName[] = "QuillonHost.MainView";

// A ground grid seen from above and in front: lines of equal depth get closer towards the horizon.
void DrawGrid(HDC dc, const RECT& client) {
  int width = client.right, height = client.bottom;
  int horizon = height * 2 / 5;
  int centre = width / 2;
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(104, 110, 118));
  HGDIOBJ old = SelectObject(dc, pen);
  for (int i = 1; i <= 12; ++i) {
    double depth = 1.0 / (1.0 + 0.35 * (12 - i));
    int y = horizon + static_cast<int>((height - horizon) * depth);
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, width, y);
  }
  for (int i = -14; i <= 14; ++i) {
    MoveToEx(dc, centre + i * 8, horizon, nullptr);
    LineTo(dc, centre + i * width / 6, height);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}
}  // namespace

HWND ViewportWindow::Create(HWND parent) {
  RegisterHostClass(kClassName, Proc, COLOR_APPWORKSPACE);
  FWindow =
      CreateWindowExA(WS_EX_CLIENTEDGE, kClassName, "Perspective", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                      0, 10, 10, parent, nullptr, GetModuleHandleA(nullptr), this);
  return FWindow;
}

void ViewportWindow::Paint(HDC dc, const RECT& client) const {
  HBRUSH sky = CreateSolidBrush(RGB(84, 90, 98));
  FillRect(dc, &client, sky);
  DeleteObject(sky);
  DrawGrid(dc, client);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(226, 230, 236));
  HGDIOBJ old = SelectObject(dc, UiBoldFont());
  TextOutA(dc, 8, 6, "Perspective", 11);
  SelectObject(dc, old);
}

LRESULT CALLBACK ViewportWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = AttachObject<ViewportWindow>(window, message, lParam);
  if (self && message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    self->Paint(dc, client);
    EndPaint(window, &ps);
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  return DefWindowProcA(window, message, wParam, lParam);
}
