// Finds the parts of a floating tool window by what Windows knows of them (class, parent, position) and
// acts on them with the messages a user's mouse produces.
#pragma once

#include <windows.h>

#include <vector>

// Direct children of parent with the given class, in Z order.
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className);
// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);

struct TitleBarParts {
  HWND bar = nullptr;
  HWND closeButton = nullptr;  // at the bar's left end
  HWND glyphPanel = nullptr;
  std::vector<HWND> glyphButtons;  // left to right: minimise, maximise, close
  bool Complete() const { return bar && closeButton && glyphPanel && glyphButtons.size() == 3; }
};
// The title bar: the form's panel along the top edge of its client area, 13 pixels high.
TitleBarParts FindTitleBar(HWND form);

// A left button press, moves and release as the mouse delivers them to window (client coordinates).
void PressLeft(HWND window, int x, int y);
void MoveTo(HWND window, int x, int y, bool leftHeld);
void ReleaseLeft(HWND window, int x, int y);
void ClickLeft(HWND window, int x, int y);
void DoubleClickLeft(HWND window, int x, int y);
