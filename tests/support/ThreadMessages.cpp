#include "ThreadMessages.h"

#include <map>

namespace {
std::map<UINT_PTR, TThreadTicker*>& Tickers() {
  static std::map<UINT_PTR, TThreadTicker*> tickers;
  return tickers;
}
}  // namespace

void Pump() {
  for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

TThreadHook HookThread(int kind, HOOKPROC procedure) {
  return TThreadHook(SetWindowsHookExA(kind, procedure, nullptr, GetCurrentThreadId()));
}

TThreadTicker::TThreadTicker() {
  FTimer = SetTimer(nullptr, 0, kTickMs, Tick);
  Tickers()[FTimer] = this;
}

TThreadTicker::~TThreadTicker() {
  KillTimer(nullptr, FTimer);
  Tickers().erase(FTimer);
}

// A thread timer's procedure gets no context but the timer's id.
void CALLBACK TThreadTicker::Tick(HWND, UINT, UINT_PTR timer, DWORD) {
  if (auto it = Tickers().find(timer); it != Tickers().end()) it->second->OnTick();
}
