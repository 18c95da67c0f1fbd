#include "HostWindowFault.h"

#include <cstdint>
#include <string>

#include "SimControl.h"

namespace {
const char kClassName[] = "QuillonTest.FaultingHostWindow";
const UINT kRaise = WM_APP + 0x3F;

struct TClassSearch {
  const char* name;
  HWND found = nullptr;
};

BOOL CALLBACK NoteVisible(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TClassSearch*>(data);
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) == search->name && IsWindowVisible(window)) search->found = window;
  return TRUE;
}
}  // namespace

THostWindowFault::THostWindowFault(int mode, std::function<bool()> when)
    : FMode(mode), FWhen(std::move(when)) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);  // fails harmlessly once registered
  FWindow = CreateWindowA(kClassName, "Host tool window", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                          wc.hInstance, nullptr);
  SetWindowLongPtrA(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

THostWindowFault::~THostWindowFault() {
  DestroyWindow(FWindow);
}

void THostWindowFault::PostNow() {
  FPosted = true;
  PostMessageA(FWindow, kRaise, 0, 0);
}

void THostWindowFault::OnTick() {
  if (!FPosted && FWhen && FWhen()) PostNow();
}

// Raised the way the simulator's host functions fail.
LRESULT CALLBACK THostWindowFault::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<THostWindowFault*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message != kRaise || !self) return DefWindowProcA(window, message, wParam, lParam);
  self->FRaised = true;
  if (self->FMode == SIM_FAIL_ACCESS_VIOLATION) {
    volatile std::uintptr_t unmapped = 0x10;
    *reinterpret_cast<volatile int*>(unmapped) = 0;
  } else {
    const ULONG_PTR arguments[3] = {0x19930520, 0, 0};
    RaiseException(SIM_FOREIGN_EXCEPTION_CODE, EXCEPTION_NONCONTINUABLE, 3, arguments);
  }
  return 0;
}

HWND FindVisibleThreadWindow(const char* className) {
  TClassSearch search{className};
  EnumThreadWindows(GetCurrentThreadId(), NoteVisible, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
