// The user's hand on the real panel, for every suite that drives it: mouse and key messages to its windows,
// pop-up menus answered by keys queued before they open (a menu's own loop takes them from the queue).
// Items are aimed at by handle (a random scene has duplicate and empty labels) or, in a scene whose labels
// are unique, by label.
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
constexpr int kToolButtons = 6;
constexpr int kVisibilityButton = 2, kDeleteButton = 3, kRefreshButton = 5;

class PanelUser {
 public:
  explicit PanelUser(PluginHost& host) : FHost(host) {}

  HWND Tree() const { return FHost.Tree(); }
  // The two tool bars of the panel, File first.
  std::vector<HWND> ToolBars() const;
  HWND CommandBar() const { return ToolBars().at(1); }
  // Every item the control holds, parents before children.
  std::vector<HTREEITEM> Items() const;
  HTREEITEM Item(const std::string& label) const { return FHost.FindItem(label); }
  std::string Label(HTREEITEM item) const;
  std::string SelectedLabel() const;
  // The items drawn as selected: the caret and the drop mark alike, as a person sees them.
  std::vector<std::string> HighlightedLabels() const;

  // On the item's glyph rather than its label: a click on the label of the item already selected starts
  // the control's label editing from a timer, which would make a test depend on the clock.
  void Click(HTREEITEM item);
  void Click(const std::string& label) { Click(Item(label)); }
  void DoubleClick(HTREEITEM item);
  // With the pointer on the item's label; the context menu, if one opens, takes downs Down presses and
  // then Return (Escape when downs is 0). With downs below 0 no key is queued: a watcher closes the menu.
  void RightClick(HTREEITEM item, int downs = -1);
  void RightClick(const std::string& label) { RightClick(Item(label)); }
  // Press on the start, a move past the drag threshold, the move to the end, the release there.
  void Drag(HTREEITEM from, HTREEITEM to);
  void Drag(const std::string& from, const std::string& to) { Drag(Item(from), Item(to)); }
  void DragOutside(HTREEITEM from);
  void DragOutside(const std::string& from) { DragOutside(Item(from)); }
  // The tree's own edit field: opened on the item, the text typed in, closed by Return or Escape. False
  // when no edit field opened.
  bool EditLabel(HTREEITEM item, const std::string& text, bool commit);
  bool EditLabel(const std::string& label, const std::string& text, bool commit) {
    return EditLabel(Item(label), text, commit);
  }
  // The two halves of that: the edit field opened on the item with the text in it (null when none
  // opened), and its end by Return or Escape.
  HWND OpenLabelEdit(HTREEITEM item, const std::string& text);
  void EndLabelEdit(HWND edit, bool commit);

  void PressKey(WORD key);

  // The same hand through the real input queue (RealInput.h), where every loop that tracks the pointer or
  // the keyboard meets it in order. A click on the item's glyph.
  void HandClick(const std::string& label);
  // The left button pressed on the item's label and held while the pointer moves past the drag threshold
  // and on over the other item (or stays on the pressed one).
  void PressAndMoveOver(const std::string& from, const std::string& over);
  // The held left button released where the pointer is.
  void ReleaseButton();
  void HandDrag(const std::string& from, const std::string& to) {
    PressAndMoveOver(from, to);
    ReleaseButton();
  }
  void HandClickToolButton(HWND bar, int index);
  // A key pressed and released; it goes to the window with the keyboard focus.
  void HandKey(WORD key);
  void HandType(const std::string& text);
  // A click on a button of a tool bar, by its index among the bar's buttons.
  void ClickToolButton(HWND bar, int index);
  // Opens the File menu and picks its visible entry number entry (0-based, separators not counted).
  void ChooseFileMenu(int entry);

 private:
  // In the tree's client coordinates, after scrolling the item into view as a user does.
  POINT Centre(HTREEITEM item) const;
  POINT Glyph(HTREEITEM item) const;
  // The control follows a press itself until it sees the release in the queue: the release is posted
  // first, then the press is sent.
  void ClickAt(POINT p);
  void RightClickAt(POINT p, int downs);
  void DragBetween(POINT start, POINT end);
  POINT OnScreen(POINT client) const;
  static POINT ButtonCentre(HWND bar, int index);

  PluginHost& FHost;
  int FRightClicks = 0;
  int FPresses = 0;
};

// The hint a tool bar's tool tip shows for a button, asked the way the tool tip asks.
std::string ToolHint(HWND bar, int index);
