// Small helpers shared by the host's windows.
#pragma once

#include <windows.h>

// The one dialog font of the host's windows; lives as long as the process.
HFONT UiFont();
HFONT UiBoldFont();
HWND CreateChild(const char* className, const char* text, DWORD style, HWND parent, int id = 0);
// Registers a window class of ours once; the procedure finds its object through GWLP_USERDATA.
void RegisterHostClass(const char* className, WNDPROC procedure, int background);

// The object a window of ours belongs to, passed in lpCreateParams and kept in GWLP_USERDATA.
template <class T>
T* AttachObject(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* object = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    return object;
  }
  return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
