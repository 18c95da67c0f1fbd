#include "TreeReader.h"

#include <cstring>
#include <vector>

namespace {

struct Search {
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  char name[64];
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, search->className) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

HTREEITEM Next(HWND tree, HTREEITEM item, WPARAM relation) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

void Walk(HWND tree, HTREEITEM first, int level, std::vector<TreeItemInfo>& out) {
  for (HTREEITEM item = first; item; item = Next(tree, item, TVGN_NEXT)) {
    out.push_back(ReadTreeItem(tree, item, level));
    if (HTREEITEM child = Next(tree, item, TVGN_CHILD)) Walk(tree, child, level + 1, out);
  }
}

std::string Marks(const TreeItemInfo& item, TreeMarks marks) {
  std::string out;
  if (marks == TreeMarks::Panel) {
    out += std::string(" g").append(std::to_string(item.glyph));
    if (item.state == 1) out += " hidden";
    if (item.selected) out += " selected";
  } else {
    if (item.bold) out += " selected";
    if (item.selected) out += " current";
  }
  if (item.expanded) out += " expanded";
  return out;
}

}  // namespace

TreeItemInfo ReadTreeItem(HWND tree, HTREEITEM handle, int level) {
  char text[1024] = {};
  TVITEMA info{};
  info.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_CHILDREN;
  info.hItem = handle;
  info.pszText = text;
  info.cchTextMax = sizeof text;
  info.stateMask = 0xFFFF;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
  TreeItemInfo item;
  item.label = text;
  item.level = level;
  item.glyph = info.iImage;
  item.selectedGlyph = info.iSelectedImage;
  item.state = (info.state & TVIS_STATEIMAGEMASK) >> 12;
  item.selected = (info.state & TVIS_SELECTED) != 0;
  item.expanded = (info.state & TVIS_EXPANDED) != 0;
  item.bold = (info.state & TVIS_BOLD) != 0;
  item.hasChildrenMark = info.cChildren != 0;
  item.item = handle;
  return item;
}

std::vector<TreeItemInfo> ReadTreeItems(HWND tree) {
  std::vector<TreeItemInfo> items;
  if (tree) Walk(tree, Next(tree, nullptr, TVGN_ROOT), 0, items);
  return items;
}

HWND FindDescendant(HWND parent, const char* className) {
  Search search{className, nullptr};
  if (parent) EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string DumpTree(HWND tree, TreeMarks marks) {
  std::string out;
  for (const TreeItemInfo& item : ReadTreeItems(tree))
    out += std::string(item.level * 2, ' ') + item.label + Marks(item, marks) + "\n";
  return out;
}

// Depth first: a branch is opened as the walk reaches it, so the children it gets are walked next (one pass,
// however deep the tree). An item that refuses to open is tried once.
void ExpandAll(HWND tree) {
  std::vector<HTREEITEM> laterSiblings;
  auto next = [tree](HTREEITEM item, WPARAM relation) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  };
  for (HTREEITEM item = next(nullptr, TVGN_ROOT); item;) {
    const TreeItemInfo info = ReadTreeItem(tree, item, 0);
    if (info.hasChildrenMark && !info.expanded)
      SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    HTREEITEM child = next(item, TVGN_CHILD);
    HTREEITEM sibling = next(item, TVGN_NEXT);
    if (child && sibling) laterSiblings.push_back(sibling);
    item = child ? child : sibling;
    if (!item && !laterSiblings.empty()) {
      item = laterSiblings.back();
      laterSiblings.pop_back();
    }
  }
}

// The control follows the press itself until it sees the release in its queue: post the release, then
// send the press.
bool ClickItem(HWND tree, const std::string& label, bool prefix) {
  for (const TreeItemInfo& item : ReadTreeItems(tree)) {
    if (prefix ? item.label.compare(0, label.size(), label) != 0 : item.label != label) continue;
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item.item));
    RECT bounds{};
    std::memcpy(&bounds, &item.item, sizeof item.item);  // the item goes in, its rectangle comes out
    if (!SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&bounds))) return false;
    LPARAM at = MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    PostMessageA(tree, WM_LBUTTONUP, 0, at);
    SendMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    return true;
  }
  return false;
}
