#include "TitleBarProbe.h"

#include <algorithm>
#include <cstring>

namespace {
struct ChildSearch {
  HWND parent;
  const char* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  if (GetParent(window) != search->parent) return TRUE;
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (strcmp(name, search->className) == 0) search->found.push_back(window);
  return TRUE;
}

LPARAM Point(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}
}  // namespace

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
  ChildSearch search{parent, className, {}};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

RECT RectInParent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TitleBarParts FindTitleBar(HWND form) {
  TitleBarParts parts;
  for (HWND panel : ChildrenOfClass(form, "Quillon.Panel")) {
    RECT r = RectInParent(panel);
    if (r.left == 0 && r.top == 0 && r.bottom == 13) parts.bar = panel;
  }
  if (!parts.bar) return parts;
  for (HWND button : ChildrenOfClass(parts.bar, "Quillon.SpeedButton"))
    if (RectInParent(button).left < 0) parts.closeButton = button;
  std::vector<HWND> panels = ChildrenOfClass(parts.bar, "Quillon.Panel");
  if (panels.size() != 1) return parts;
  parts.glyphPanel = panels[0];
  parts.glyphButtons = ChildrenOfClass(parts.glyphPanel, "Quillon.SpeedButton");
  std::sort(parts.glyphButtons.begin(), parts.glyphButtons.end(),
            [](HWND a, HWND b) { return RectInParent(a).left < RectInParent(b).left; });
  return parts;
}

void PressLeft(HWND window, int x, int y) {
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
}

void MoveTo(HWND window, int x, int y, bool leftHeld) {
  SendMessageA(window, WM_MOUSEMOVE, leftHeld ? MK_LBUTTON : 0, Point(x, y));
}

void ReleaseLeft(HWND window, int x, int y) {
  SendMessageA(window, WM_LBUTTONUP, 0, Point(x, y));
}

void ClickLeft(HWND window, int x, int y) {
  PressLeft(window, x, y);
  ReleaseLeft(window, x, y);
}

// The order Windows reports a double click in: the second press arrives as WM_LBUTTONDBLCLK.
void DoubleClickLeft(HWND window, int x, int y) {
  ClickLeft(window, x, y);
  SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(x, y));
  ReleaseLeft(window, x, y);
}
