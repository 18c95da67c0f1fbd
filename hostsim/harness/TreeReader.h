// Reading a tree-view control back item by item, as it holds its items, the way any program outside it can:
// the plug-in's panel tree for the suites, the benchmarks and the host application's script, and the host
// application's own object list.
#pragma once

#include <windows.h>
// The common controls header needs the Windows types declared first.
#include <commctrl.h>

#include <string>
#include <vector>

struct TreeItemInfo {
  std::string label;
  int level = 0;
  int glyph = -1;
  int selectedGlyph = -1;
  int state = 0;  // the state image index (0: none)
  bool selected = false;
  bool expanded = false;
  bool bold = false;
  bool hasChildrenMark = false;
  HTREEITEM item = nullptr;
};

HWND FindDescendant(HWND parent, const char* className);
TreeItemInfo ReadTreeItem(HWND tree, HTREEITEM item, int level = 0);
// The items the control holds, parents before children, in display order.
std::vector<TreeItemInfo> ReadTreeItems(HWND tree);

enum class TreeMarks {
  Panel,  // label g<glyph>, then hidden (state image 1), selected, expanded
  Host,   // label, then selected (bold: selected in the host), current (the control's selection), expanded
};
// One line per item, two spaces of indentation per level.
std::string DumpTree(HWND tree, TreeMarks marks);
// Expands items until no collapsed item with children is left; an item that refuses to open is tried once.
void ExpandAll(HWND tree);
// Clicks the first item with that label (or, for a prefix, whose label starts with it) as the user does,
// after bringing it into view. False when there is no such item.
bool ClickItem(HWND tree, const std::string& label, bool prefix);
