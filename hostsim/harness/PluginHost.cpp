#include "PluginHost.h"

#include <cstdlib>
#include <functional>

namespace {
LRESULT CALLBACK MainViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateMainView() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = MainViewProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TestHostMainView";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  RegisterClassA(&wc);
  return CreateWindowExA(0, "TestHostMainView", "Host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0,
                         0, 800, 600, nullptr, nullptr, wc.hInstance, nullptr);
}

struct Search {
  const char* name;
  HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  char name[64];
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, search->name) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindDescendant(HWND parent, const char* className) {
  Search search{className, nullptr};
  EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

TreeItemInfo ReadItem(HWND tree, HTREEITEM item, int level) {
  char text[1024] = {};
  TVITEMA info{};
  info.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_CHILDREN;
  info.hItem = item;
  info.pszText = text;
  info.cchTextMax = sizeof text;
  info.stateMask = 0xFFFF;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
  TreeItemInfo result;
  result.label = text;
  result.level = level;
  result.glyph = info.iImage;
  result.selectedGlyph = info.iSelectedImage;
  result.state = (info.state & TVIS_STATEIMAGEMASK) >> 12;
  result.selected = (info.state & TVIS_SELECTED) != 0;
  result.expanded = (info.state & TVIS_EXPANDED) != 0;
  result.hasChildrenMark = info.cChildren != 0;
  result.item = item;
  return result;
}

void Walk(HWND tree, HTREEITEM first, int level, std::vector<TreeItemInfo>& out) {
  for (HTREEITEM item = first; item; item = reinterpret_cast<HTREEITEM>(SendMessageA(
                                         tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    out.push_back(ReadItem(tree, item, level));
    HTREEITEM child = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    if (child) Walk(tree, child, level + 1, out);
  }
}
}  // namespace

PluginHost::PluginHost() {
  FMainView = CreateMainView();
  simSetMainViewHwnd(FMainView);
  simSetLoaderSpan(1);
  const char* module = std::getenv("QUILLON_MODULE");
  FModule = LoadLibraryA(module && *module ? module : "Quillon_ts4.tsx");
  simSetLoaderSpan(0);
  if (FModule) simRegisterPlugin(kPlugId, FModule);
}

long PluginHost::StaleWrites() const {
  auto count = reinterpret_cast<long(__cdecl*)()>(
      reinterpret_cast<void (*)()>(GetProcAddress(FModule, "QuillonStaleWrites")));
  return count ? count() : 0;
}

PluginHost::~PluginHost() {
  if (FModule) {
    simUnregisterPlugin(kPlugId);
    simSetLoaderSpan(1);
    FreeLibrary(FModule);
    simSetLoaderSpan(0);
  }
  DestroyWindow(FMainView);
  simSetMainViewHwnd(nullptr);
  Pump();
}

void PluginHost::Initialise() {
  simPluginGetVersion(kPlugId);
  SimPlugData data{};
  simPluginGetData(kPlugId, &data);
}

int PluginHost::LeftClick() {
  return simPluginLeftClick(kPlugId);
}
void PluginHost::RightClick() {
  simPluginRightClick(kPlugId);
}
void PluginHost::Deactivate() {
  simPluginDeactivate(kPlugId);
}

HWND PluginHost::Panel() const {
  return FindDescendant(FMainView, "Quillon.Form");
}
HWND PluginHost::Tree() const {
  return FindDescendant(FMainView, "Quillon.TreeView");
}

std::vector<TreeItemInfo> PluginHost::ReadTree() const {
  std::vector<TreeItemInfo> items;
  HWND tree = Tree();
  if (!tree) return items;
  Walk(tree, reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), 0, items);
  return items;
}

void PluginHost::ExpandAll() const {
  HWND tree = Tree();
  for (bool changed = true; changed;) {
    changed = false;
    for (const TreeItemInfo& item : ReadTree())
      if (item.hasChildrenMark && !item.expanded) {
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item.item));
        changed = true;
      }
  }
}

std::string PluginHost::Dump() const {
  std::string out;
  for (const TreeItemInfo& item : ReadTree()) {
    out += std::string(item.level * 2, ' ') + item.label + " g" + std::to_string(item.glyph);
    if (item.state == 1) out += " hidden";
    if (item.selected) out += " selected";
    if (item.expanded) out += " expanded";
    out += "\n";
  }
  return out;
}

const TreeItemInfo* PluginHost::Find(const std::string& label) const {
  static std::vector<TreeItemInfo> items;
  items = ReadTree();
  for (const TreeItemInfo& item : items)
    if (item.label == label) return &item;
  return nullptr;
}

HTREEITEM PluginHost::FindItem(const std::string& label) const {
  const TreeItemInfo* item = Find(label);
  return item ? item->item : nullptr;
}

std::string PluginHost::Log(int from) {
  std::string out;
  char entry[512];
  for (int i = from; i < simLogCount(); ++i) {
    simLogEntry(i, entry, sizeof entry);
    out += entry;
    out += "\n";
  }
  return out;
}

void PluginHost::Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

int CountThreadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
  return count;
}
