// The user's hand on the panel for the robustness suites: like PanelDriver, but aimed at item handles
// rather than labels (a random scene has duplicate and empty labels), and every pop-up it opens is closed
// by keys queued before it opens.
#pragma once

#include <windows.h>
// The common controls header needs the Windows types declared first.
#include <commctrl.h>

#include <string>
#include <vector>

#include "PanelDriver.h"

class PanelUser {
 public:
  explicit PanelUser(PluginHost& host) : FHost(host), FPanel(host) {}

  PanelDriver& Driver() { return FPanel; }
  HWND Tree() const { return FHost.Tree(); }
  // Every item the control holds, parents before children.
  std::vector<HTREEITEM> Items() const;
  std::string Label(HTREEITEM item) const;

  void Click(HTREEITEM item);
  void DoubleClick(HTREEITEM item);
  // A right click on the item; the context menu, if one opens, takes downs Down presses and then Return
  // (or Escape when downs is 0).
  void RightClick(HTREEITEM item, int downs);
  void Key(WORD key);
  // The tree's own edit field: opened on the item, the text typed in, closed by Return or Escape.
  void EditLabel(HTREEITEM item, const std::string& text, bool commit);
  void Drag(HTREEITEM from, HTREEITEM to);
  void DragOutside(HTREEITEM from);

 private:
  POINT Centre(HTREEITEM item) const;
  POINT Glyph(HTREEITEM item) const;

  PluginHost& FHost;
  PanelDriver FPanel;
};

// Closes any pop-up menu still open after a few ticks, so that a menu that missed its keys ends the step
// rather than the whole run; whether one had to be closed is reported.
class MenuWatchdog {
 public:
  MenuWatchdog();
  ~MenuWatchdog();
  MenuWatchdog(const MenuWatchdog&) = delete;
  MenuWatchdog& operator=(const MenuWatchdog&) = delete;
  bool Fired() const;
};
