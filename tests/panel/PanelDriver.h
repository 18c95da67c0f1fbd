// Drives the real panel the way a user does: mouse and key messages to its windows, menus answered by
// keys queued before they open (a menu's own loop takes them from the queue).
#pragma once

#include <windows.h>
// The common controls header needs the Windows types declared first.
#include <commctrl.h>

#include <string>
#include <vector>

#include "PluginHost.h"

// Entries of the File menu and of the context menu, in the order they show (hidden ones not counted).
enum FileEntry {
  kToggleVisibility,
  kUngroup,
  kDeleteObject,
  kDeleteAnimation,
  kDeleteAnimationTree,
  kRefresh
};
// Buttons of the command bar by index: separator, hidden edit, visibility, delete, separator, refresh.
constexpr int kVisibilityButton = 2, kDeleteButton = 3, kRefreshButton = 5;

class PanelDriver {
 public:
  explicit PanelDriver(PluginHost& host) : FHost(host) {}

  HWND Tree() const { return FHost.Tree(); }
  // The two tool bars of the panel, File first.
  std::vector<HWND> ToolBars() const;
  HWND CommandBar() const { return ToolBars().at(1); }

  // A left click (press and release) on an item's label; the control sees them as a user's.
  void ClickItem(const std::string& label);
  void RightClickItem(const std::string& label);
  void PressKey(WORD key);
  // A click on a button of a tool bar, by its index among the bar's buttons.
  void ClickToolButton(HWND bar, int index);
  // Opens the File menu and picks its visible entry number entry (0-based, separators not counted).
  void ChooseFileMenu(int entry);
  // Drags the item with label from onto the item with label to, with real mouse messages.
  void Drag(const std::string& from, const std::string& to);
  void DragOutside(const std::string& from);

  POINT ItemCentre(const std::string& label) const;
  std::string SelectedLabel() const;

  // The pointer's part, in the tree's client coordinates. The control tracks a press itself until it sees
  // the release in the queue: the release is posted first, then the press is sent.
  void ClickAt(POINT p);
  void DoubleClickAt(POINT p);
  // With the pointer on p; the context menu, if one opens, takes downs Down presses and then Return
  // (Escape when downs is 0); with downs below 0 no key is queued.
  void RightClickAt(POINT p, int downs);
  // Press on start, a move past the drag threshold, the move to end, the release there.
  void DragBetween(POINT start, POINT end);
  POINT OutsideTree() const;

 private:
  PluginHost& FHost;
};

// The hint a tool bar's tool tip shows for a button, asked the way the tool tip asks.
std::string ToolHint(HWND bar, int index);
