// Sees every pop-up menu this thread opens while its modal loop runs, notes where it appeared and what it
// held, and closes it again the way a user would, with Escape. The menu window's creation is caught by a
// CBT hook; a thread ticker, which the menu's own loop dispatches, does the looking and the closing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ThreadMessages.h"

struct TShownMenu {
  POINT origin{};                  // the menu window's top-left corner, in screen coordinates
  int entries = -1;                // entries of the menu the class library reported as shown
  std::vector<std::string> items;  // as the menu window holds them: captions, "-" for a separator
  HMENU menu = nullptr;            // not owned; gone once its owner destroys it
  std::vector<HBITMAP> pictures;   // the entries' own pictures (not the system's predefined ones)
};

class TMenuWatcher : public TThreadTicker {
 public:
  TMenuWatcher();
  ~TMenuWatcher() override;

  int Count() const { return static_cast<int>(FOpened.size()); }
  // One entry per menu that was seen open (a menu closed before any tick would be missing here).
  const std::vector<TShownMenu>& Shown() const { return FShown; }

 private:
  static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
  void OnTick() override;

  TThreadHook FHook;
  std::vector<HWND> FOpened;  // menu windows created, in order
  size_t FClosing = 0;        // FOpened up to here have been seen and told to close
  int FTicksOpen = 0;
  std::vector<TShownMenu> FShown;
};

// Closes any pop-up menu still open after a second, so that a menu that missed the keys queued for it
// ends the step rather than the whole run; whether one had to be closed is reported.
class TMenuWatchdog : public TThreadTicker {
 public:
  bool Fired() const { return FFired; }

 private:
  void OnTick() override;

  int FTicksOpen = 0;
  bool FFired = false;
};
