// Building the tree from the host's scene. The tree is never patched from the host's side: every catch-up
// throws the items away and walks the scene again, keeping expanded branches expanded by object identity.
#include <cstdio>
#include <cstring>
#include <vector>

#include "Main.h"

namespace {
constexpr int kRootGlyph = 9;
constexpr int kMaterialGlyph = 2;
constexpr int kDefaultGlyph = 1;
constexpr int kHiddenMark = 1;

struct TypeGlyphEntry {
  int type;
  int glyph;
};
constexpr TypeGlyphEntry kTypeGlyphs[] = {
    {101, 5},  {102, 6}, {103, 15}, {104, 10}, {106, 11}, {107, 3},  {201, 1},  {202, 0}, {204, 7},
    {206, 16}, {207, 4}, {208, 8},  {210, 0},  {213, 14}, {214, 13}, {215, 12}, {216, 11},
};

// Restores redrawing and the busy flag on every way out of a rebuild.
class RebuildScope {
 public:
  RebuildScope(bool& refreshing, TTreeNodes& items) : FRefreshing(refreshing), FItems(items) {}
  ~RebuildScope() {
    if (FUpdating) FItems.EndUpdate();
    FRefreshing = false;
  }
  void BeginUpdate() {
    FItems.BeginUpdate();
    FUpdating = true;
  }

 private:
  bool& FRefreshing;
  TTreeNodes& FItems;
  bool FUpdating = false;
};
}  // namespace

int TypeGlyph(int typeCode) {
  for (const TypeGlyphEntry& entry : kTypeGlyphs)
    if (entry.type == typeCode) return entry.glyph;
  return kDefaultGlyph;
}

void TMainForm::RebuildTree() {
  if (FRefreshing) return;
  if (TreeView->InsideNotification()) {
    DeferRebuild();
    return;
  }
  FRefreshing = true;
  ++FRebuildCount;
  RebuildScope scope(FRefreshing, TreeView->Items());
  std::unordered_set<SobjHandle> expanded;
  TTreeNodes& items = TreeView->Items();
  TTreeNode* first = items.GetFirstNode();
  for (TTreeNode* node = first ? first->GetNext() : nullptr; node; node = node->GetNext())
    if (node->Expanded()) expanded.insert(static_cast<SobjHandle>(node->Data()));

  scope.BeginUpdate();
  items.Clear();
  FDragNode = nullptr;
  TTreeNode* root = items.AddChildObject(nullptr, "Scene", nullptr);
  FWalked.clear();
  AddSceneNodes(root, HostCall(tsxSceneGetFirstNode));
  TreeView->AlphaSort();
  root->SetImageIndex(kRootGlyph);
  root->SetSelectedIndex(kRootGlyph);
  root->Expand(false);
  for (TTreeNode* node = root->GetNext(); node; node = node->GetNext())
    if (node->HasChildren()) node->SetExpanded(expanded.count(static_cast<SobjHandle>(node->Data())) > 0);
}

void TMainForm::DeferRebuild() {
  if (FRebuildDeferred) return;
  FRebuildDeferred = true;
  TreeView->PostCall([this] {
    FRebuildDeferred = false;
    try {
      RebuildTree();
    } catch (...) {
      // As the handler that asked for it would have done.
    }
  });
}

// One object's item with its attributes; the type is passed back for the walk.
TTreeNode* TMainForm::AddObjectNode(TTreeNode* parent, SobjHandle object, int& type) {
  type = HostCall(tsxSobjGetType, object);
  char name[256] = {};
  HostCall(tsxGNodeGetName, object, name, 255);
  name[255] = '\0';  // a host that fills the whole buffer still gives a label, cut at 255
  TTreeNode* item = TreeView->Items().AddChild(parent, name);
  item->SetImageIndex(kDefaultGlyph);
  item->SetImageIndex(TypeGlyph(type));
  if (HostCall(tsxIsMNode, object) == 1 && HostCall(tsxMNodeIsVisible, object) == 0) item->SetStateIndex(kHiddenMark);
  item->SetSelectedIndex(item->ImageIndex());
  item->SetData(object);
  if (!TreeView->Selected() && HostCall(tsxIsSelected, object) == 1) TreeView->SetSelected(item);
  return item;
}

// Pre-order over the host's hierarchy, siblings in the host's order, children before an object's
// materials and its next sibling. Kept on an explicit stack: a deep hierarchy must not exhaust the host
// thread's stack, and an object met twice (a host whose links form a cycle) ends that list.
void TMainForm::AddSceneNodes(TTreeNode* parent, SobjHandle first) {
  struct Level {
    TTreeNode* parent;
    SobjHandle next;
    TTreeNode* item = nullptr;  // the object whose children are being added
    SobjHandle object = nullptr;
    bool polyhedron = false;
  };
  std::vector<Level> stack{{parent, first}};
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.item) {
      if (level.polyhedron) AddMaterialNodes(level.item, level.object);
      level.item = nullptr;
      level.next = HostCall(tsxGNodeGetNext, level.object);
      continue;
    }
    if (!level.next || !FWalked.insert(level.next).second) {
      stack.pop_back();
      continue;
    }
    int type = 0;
    TTreeNode* item = AddObjectNode(level.parent, level.next, type);
    level.item = item;
    level.object = level.next;
    level.polyhedron = type == e_tsxPOLYH;
    SobjHandle child = HostCall(tsxGNodeGetFirstChild, level.object);
    stack.push_back({item, child});
  }
}

void TMainForm::AddMaterialNodes(TTreeNode* item, SobjHandle polyhedron) {
  item->SetImageIndex(kDefaultGlyph);
  item->SetSelectedIndex(kDefaultGlyph);
  if (HostCall(tsxPolyhGetNbrMaterials, polyhedron) < 2) return;
  // A host that never answers -1 would loop for ever: an index met twice ends the walk.
  std::unordered_set<int> seen;
  for (int index = HostCall(tsxPolyhGetFirstMaterialIdx, polyhedron); index != -1 && seen.insert(index).second;
       index = HostCall(tsxPolyhGetNextMaterialIdx, polyhedron, index)) {
    char label[32];
    snprintf(label, sizeof label, "Material #%d", index);
    TTreeNode* material = TreeView->Items().AddChildObject(item, label, nullptr);
    material->SetImageIndex(kMaterialGlyph);
    material->SetSelectedIndex(kMaterialGlyph);
  }
}

TTreeNode* TMainForm::FindNodeBySobj(SobjHandle object) {
  for (TTreeNode* node = TreeView->Items().GetFirstNode(); node; node = node->GetNext())
    if (node->Data() == object) return node;
  return nullptr;
}
