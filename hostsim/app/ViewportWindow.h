// The host's main view: a perspective viewport with a ground grid. The plug-in's panel lives inside it.
#pragma once

#include <windows.h>

class ViewportWindow {
 public:
  HWND Create(HWND parent);
  HWND Handle() const { return FWindow; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc, const RECT& client) const;

  HWND FWindow = nullptr;
};
