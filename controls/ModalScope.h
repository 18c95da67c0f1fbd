// What showing a window modally inside somebody else's message loop takes: the thread's other top-level
// windows refuse input while it is open, and afterwards the window that was active is active again.
#pragma once

#include <windows.h>

#include <vector>

// Disables every enabled top-level window of the calling thread except one, and enables them again (only
// those, so a window that was disabled before stays so) when it goes.
class TThreadWindowsDisabled {
 public:
  explicit TThreadWindowsDisabled(HWND except);
  TThreadWindowsDisabled(const TThreadWindowsDisabled&) = delete;
  TThreadWindowsDisabled& operator=(const TThreadWindowsDisabled&) = delete;
  ~TThreadWindowsDisabled();

 private:
  static BOOL CALLBACK Collect(HWND window, LPARAM self);

  HWND FExcept;
  std::vector<HWND> FDisabled;  // not owned
};

// Activates, when it goes, the window that was active when it was made, and gives the keyboard focus back
// to the window that had it: activation alone gives it to the top-level window, and a tree left without
// the focus draws its selection as an inactive one, which a person does not take for selected.
class TActivationRestored {
 public:
  TActivationRestored() : FPrevious(GetActiveWindow()), FFocus(GetFocus()) {}
  TActivationRestored(const TActivationRestored&) = delete;
  TActivationRestored& operator=(const TActivationRestored&) = delete;
  ~TActivationRestored() {
    if (FPrevious && IsWindow(FPrevious)) SetActiveWindow(FPrevious);
    if (FFocus && IsWindow(FFocus) && IsWindowVisible(FFocus) && IsWindowEnabled(FFocus)) SetFocus(FFocus);
  }
  HWND Previous() const { return FPrevious; }

 private:
  HWND FPrevious;  // not owned
  HWND FFocus;     // not owned
};
