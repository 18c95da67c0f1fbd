#include "FloorTree.h"

#include <commctrl.h>

#include <vector>

namespace {
LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

const char* FrameClass() {
  static const char* name = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuillonBenchFloor";
    RegisterClassA(&wc);
    return "QuillonBenchFloor";
  }();
  return name;
}
}  // namespace

FloorTree::FloorTree() {
  FFrame = CreateWindowExA(0, FrameClass(), "Floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 820, 0, 260, 320,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  FTree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                          WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_SHOWSELALWAYS, 0, 0,
                          240, 280, FFrame, nullptr, GetModuleHandleA(nullptr), nullptr);
}

FloorTree::~FloorTree() {
  DestroyWindow(FFrame);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

int FloorTree::Fill(const SceneShape& shape, int count) {
  if (count < 0 || count > static_cast<int>(shape.items.size())) count = static_cast<int>(shape.items.size());
  std::vector<HTREEITEM> handles(count);
  SendMessageA(FTree, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < count; ++i) {
    const ShapeItem& item = shape.items[i];
    TVINSERTSTRUCTA insert{};
    insert.hParent = item.parent < 0 ? TVI_ROOT : handles[item.parent];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(item.label.c_str());
    insert.item.lParam = reinterpret_cast<LPARAM>(item.object);
    handles[i] = reinterpret_cast<HTREEITEM>(
        SendMessageA(FTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  }
  SendMessageA(FTree, WM_SETREDRAW, TRUE, 0);
  return static_cast<int>(SendMessageA(FTree, TVM_GETCOUNT, 0, 0));
}
