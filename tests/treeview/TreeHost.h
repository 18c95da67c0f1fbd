// A host form around one extended tree view, shown on screen, with two pop-up menus, a small tree of
// items and the ways a user reaches the control: the mouse (real pointer input), the keyboard (the modifier
// keys set in the thread's keyboard state) and notifications sent the way the control sends them, to the
// parent, which reflects them.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
// The common controls header needs the Windows types declared first.
#include <commctrl.h>

#include <string>
#include <vector>

#include "Forms.h"
#include "Menus.h"
#include "MessageSequence.h"
#include "RealInput.h"
#include "ThreadMessages.h"
#include "UQxTreeList.h"

struct TNodeMenuCall {
  TComponent* sender = nullptr;
  TTreeNode* node = nullptr;
  POINT pos{};
  TPopupMenu* menu = nullptr;
};

// Keeps the keyboard focus out of one window while the hook lives. The control selects an item whenever
// it takes the focus with none selected (a right click gives it the focus); and with other tests' windows
// on the same display, the activation, and with it the focus, may come and go at any moment.
TThreadHook KeepFocusOut(HWND window);

class TreeViewTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Root (expanded) > Alpha > A1, A2; Root > Beta; Root > Gamma. Alpha is collapsed.
  void FillTree();
  TTreeNode* Node(const std::string& text) const;
  // Enough top-level items to scroll.
  void FillLongTree(int count);

  // Records every OnNodeContextMenu; change, when given, then acts as the handler would.
  void WatchNodeMenus(std::function<void(POINT& pos, TPopupMenu*& menu)> change = nullptr);

  HWND TreeWindow() { return Tree->Handle(); }
  RECT LabelRect(TTreeNode* node);
  POINT Centre(const RECT& r) const { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
  POINT ToScreen(POINT client);
  // Below the last item: a right click there falls on no item.
  POINT EmptySpace();

  // Real pointer input: the pointer moved there, the right button pressed and released.
  void RightClickAt(POINT client);
  // The right button pressed there and held while the control loses the mouse capture, so that it
  // reports the click before the release; the release, where the pointer is, is a step of its own.
  void RightPressLosingCapture(POINT client);
  void RightReleaseHere();
  void SendKey(UINT key, unsigned modifiers);
  LRESULT SendContextMenu(LPARAM position);
  // The tree's own messages and the notifications it sends its parent, as "tree ..." and "parent ...".
  std::vector<std::pair<HWND, std::string>> TreeAndParent() {
    return {{TreeWindow(), "tree"}, {Form->Handle(), "parent"}};
  }

  TForm* Form = nullptr;
  TQxTreeView* Tree = nullptr;
  TPopupMenu* Menu = nullptr;       // one entry; the tree's PopupMenu
  TPopupMenu* OtherMenu = nullptr;  // two entries
  std::vector<TNodeMenuCall> MenuCalls;
  std::vector<std::string> Failures;
};
