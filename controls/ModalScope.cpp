#include "ModalScope.h"

TThreadWindowsDisabled::TThreadWindowsDisabled(HWND except) : FExcept(except) {
  EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(this));
  for (HWND window : FDisabled) EnableWindow(window, FALSE);
}

TThreadWindowsDisabled::~TThreadWindowsDisabled() {
  for (HWND window : FDisabled)
    if (IsWindow(window)) EnableWindow(window, TRUE);
}

BOOL CALLBACK TThreadWindowsDisabled::Collect(HWND window, LPARAM self) {
  auto* scope = reinterpret_cast<TThreadWindowsDisabled*>(self);
  if (window != scope->FExcept && IsWindowEnabled(window)) scope->FDisabled.push_back(window);
  return TRUE;
}
