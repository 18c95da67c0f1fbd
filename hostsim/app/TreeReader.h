// Reading a tree-view control back item by item, as it holds its items: the plug-in's panel tree for the
// script's print, and the host's own object list.
#pragma once

#include <windows.h>

#include <string>

HWND FindDescendant(HWND parent, const char* className);

enum class TreeMarks {
  Panel,  // label g<glyph>, then hidden (state image 1), selected, expanded
  Host,   // label, then selected (bold: selected in the host), current (the control's selection), expanded
};
// One line per item, two spaces of indentation per level.
std::string DumpTree(HWND tree, TreeMarks marks);
// Expands items until no collapsed item with children is left.
void ExpandAll(HWND tree);
// Clicks the first item with that label (or, for a prefix, whose label starts with it) as the user does,
// after bringing it into view. False when there is no such item.
bool ClickItem(HWND tree, const std::string& label, bool prefix);
