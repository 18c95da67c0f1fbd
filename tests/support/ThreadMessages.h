// A test's hold on its own thread's message traffic: dispatching what waits, hooking it, and ticking inside
// whichever loop runs it (a modal box's or a pop-up menu's own loop dispatches timers too).
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// Dispatches every message waiting for this thread, and whatever the dispatching posts in turn.
void Pump();

// A hook on the calling thread, removed when it goes.
struct TUnhook {
  void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};
using TThreadHook = std::unique_ptr<std::remove_pointer_t<HHOOK>, TUnhook>;
TThreadHook HookThread(int kind, HOOKPROC procedure);

// Calls OnTick every few milliseconds for as long as it lives, from whichever loop of the thread dispatches
// messages. A timer message is made only when nothing else waits, so input one tick posts is handled before
// the next tick.
class TThreadTicker {
 public:
  static constexpr UINT kTickMs = 10;
  static constexpr int TicksIn(UINT milliseconds) { return static_cast<int>(milliseconds / kTickMs); }

  TThreadTicker();
  virtual ~TThreadTicker();
  TThreadTicker(const TThreadTicker&) = delete;
  TThreadTicker& operator=(const TThreadTicker&) = delete;

 protected:
  virtual void OnTick() = 0;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD);
  UINT_PTR FTimer = 0;
};
