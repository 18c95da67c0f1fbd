#include "SceneList.h"

#include <commctrl.h>

#include "Ui.h"

namespace {

// What the list shows of the scene, as text: a refresh that would show the same is skipped, so that the
// timer does not make the list flicker or lose its scroll position.
void Describe(const std::vector<SceneObject>& objects, std::string& out) {
  for (const SceneObject& object : objects) {
    out += std::to_string(object.serial) + (object.visible ? "v" : "h") + (object.selected ? "s" : "") +
           object.name + '\x01';
    Describe(object.children, out);
    out += '\x02';
  }
}

std::string Label(const SceneObject& object) {
  return object.name + "  (" + WordForType(object.type) + (object.visible ? "" : ", hidden") + ")";
}

}  // namespace

HWND SceneList::Create(HWND parent, int id) {
  FTree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                              TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                          0, 0, 10, 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleA(nullptr), nullptr);
  SendMessageA(FTree, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
  return FTree;
}

void SceneList::Refresh() {
  std::vector<SceneObject> scene = ReadScene();
  std::string shown;
  Describe(scene, shown);
  shown += std::to_string(simHandleSerial(simGetCurrent()));
  if (shown == FShown && !FExpandAll) return;
  FShown = shown;
  Fill(scene);
}

void SceneList::Fill(const std::vector<SceneObject>& scene) {
  FFilling = true;
  SendMessageA(FTree, WM_SETREDRAW, FALSE, 0);
  SendMessageA(FTree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  HTREEITEM current = nullptr;
  Insert(scene, TVI_ROOT, &current);
  FExpandAll = false;
  if (current) {
    SendMessageA(FTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(current));
    KeepOpen(current);
  }
  SendMessageA(FTree, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(FTree, nullptr, TRUE);
  FFilling = false;
}

void SceneList::Insert(const std::vector<SceneObject>& objects, HTREEITEM parent, HTREEITEM* current) {
  SobjHandle currentObject = simGetCurrent();
  // Each item goes after its elder sibling: appending at TVI_LAST would walk the siblings every time.
  HTREEITEM previous = TVI_FIRST;
  for (const SceneObject& object : objects) {
    std::string label = Label(object);
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = previous;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = label.data();
    insert.item.lParam = object.serial;
    insert.item.stateMask = TVIS_BOLD;
    insert.item.state = object.selected ? TVIS_BOLD : 0;
    HTREEITEM item = reinterpret_cast<HTREEITEM>(
        SendMessageA(FTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    previous = item;
    if (object.handle == currentObject) *current = item;
    if (object.children.empty()) continue;
    Insert(object.children, item, current);
    if (FExpandAll) FExpanded.insert(object.serial);
    if (FExpanded.count(object.serial))
      SendMessageA(FTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
  }
}

int SceneList::SerialOf(HTREEITEM item) const {
  TVITEMA info{};
  info.mask = TVIF_HANDLE | TVIF_PARAM;
  info.hItem = item;
  SendMessageA(FTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
  return static_cast<int>(info.lParam);
}

// Selecting the current object opened the branches above it; they stay open at later refreshes, as if the
// user had opened them.
void SceneList::KeepOpen(HTREEITEM item) {
  while ((item = reinterpret_cast<HTREEITEM>(
              SendMessageA(FTree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)))))
    FExpanded.insert(SerialOf(item));
}

SobjHandle SceneList::Selected() const {
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(FTree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!item) return nullptr;
  SobjHandle object = simHandleFromSerial(SerialOf(item));
  return object && simIsAlive(object) ? object : nullptr;
}

LRESULT SceneList::Notify(NMHDR* header) {
  if (FFilling) return 0;
  if (header->code == TVN_ITEMEXPANDEDA || header->code == TVN_ITEMEXPANDEDW) {
    auto* change = reinterpret_cast<NMTREEVIEWA*>(header);
    int serial = static_cast<int>(change->itemNew.lParam);
    if (change->action & TVE_EXPAND)
      FExpanded.insert(serial);
    else
      FExpanded.erase(serial);
  } else if (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW) {
    auto* change = reinterpret_cast<NMTREEVIEWA*>(header);
    // Only the user's own picks act on the host; the list's selection follows the host at every refresh.
    if (change->action == TVC_BYMOUSE || change->action == TVC_BYKEYBOARD) {
      SobjHandle object = Selected();
      if (object && OnUserSelect) OnUserSelect(object);
    }
  }
  return 0;
}
