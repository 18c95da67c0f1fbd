#include "PluginHost.h"

#include <cstdlib>
#include <cstring>
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

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The thread's input-method windows are the system's: the default IME window (class "IME") and the UI
// windows it owns, which the system makes when it sees fit (Wine 10 when a window first takes the focus).
bool IsInputMethodWindow(HWND window) {
  for (HWND candidate : {window, GetWindow(window, GW_OWNER)}) {
    char name[8] = "";
    if (candidate && GetClassNameA(candidate, name, sizeof name) && strcmp(name, "IME") == 0) return true;
  }
  return false;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  if (IsInputMethodWindow(window)) return TRUE;
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
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

void PluginHost::ReplaceMainView() {
  DestroyWindow(FMainView);
  Pump();
  FMainView = CreateMainView();
  simSetMainViewHwnd(FMainView);
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
  return ReadTreeItems(Tree());
}

void PluginHost::ExpandAll() const {
  ::ExpandAll(Tree());
}

std::string PluginHost::Dump() const {
  return DumpTree(Tree(), TreeMarks::Panel);
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
