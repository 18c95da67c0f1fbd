// Counting what a tree-view control is told: a WH_CALLWNDPROC hook on this thread sees every message sent
// to the control before its window procedure does, whoever sends it. Only TVM_* messages are counted.
#pragma once

#include <windows.h>
// The common controls header needs the Windows types declared first.
#include <commctrl.h>

#include <map>
#include <string>

class TreeMessageCounter {
 public:
  // Counts the messages sent to tree from now until the counter is destroyed.
  explicit TreeMessageCounter(HWND tree);
  ~TreeMessageCounter();
  TreeMessageCounter(const TreeMessageCounter&) = delete;
  TreeMessageCounter& operator=(const TreeMessageCounter&) = delete;

  bool Hooked() const { return FHook != nullptr; }
  int CountOf(UINT message) const;
  int Total() const;
  const std::map<UINT, int>& Counts() const { return FCounts; }

 private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);

  HWND FTree;
  HHOOK FHook = nullptr;
  std::map<UINT, int> FCounts;
};

// "TVM_INSERTITEMA" and so on; the hexadecimal id for a message without a name here.
std::string TreeMessageName(UINT message);

// The number of items the control holds, asked of the control.
int ControlItemCount(HWND tree);
