// One of the host's windows failing the way a host fails, inside whichever loop of the thread dispatches to
// it: a top-level window of the thread whose procedure raises an access violation, or another compiler's
// exception, for the one message this helper posts it. The message is posted at once (PostNow), or by a
// thread ticker at its first tick at which a condition holds (a box or a menu open), so that the loop
// running then dispatches it.
#pragma once

#include <windows.h>

#include <functional>

#include "ThreadMessages.h"

class THostWindowFault : public TThreadTicker {
 public:
  // mode: SIM_FAIL_ACCESS_VIOLATION or SIM_FAIL_FOREIGN. Without a condition nothing is posted by a tick.
  explicit THostWindowFault(int mode, std::function<bool()> when = nullptr);
  ~THostWindowFault() override;

  HWND Window() const { return FWindow; }
  void PostNow();
  // The window's procedure got the message and raised.
  bool Raised() const { return FRaised; }

 private:
  void OnTick() override;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  int FMode;
  std::function<bool()> FWhen;
  HWND FWindow = nullptr;
  bool FPosted = false;
  bool FRaised = false;
};

// Top-level windows of this thread by class name: "#32768" a pop-up menu's, "#32770" a system dialog's.
HWND FindVisibleThreadWindow(const char* className);
