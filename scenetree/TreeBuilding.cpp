// Building the tree from the host's scene. The tree is never patched from the host's side: every catch-up
// throws the items away, reads the scene again (SceneWalk.h) and fills the tree from what was read
// (TreeFill.h), keeping expanded branches expanded by object identity.
#include "Main.h"
#include "ScopeExit.h"
#include "TreeFill.h"

void TMainForm::RebuildTree() {
  if (FRefreshing) return;
  if (TreeView->InsideNotification()) {
    DeferRebuild();
    return;
  }
  TFlagScope busy(FRefreshing);
  std::unordered_set<SobjHandle> expanded = ExpandedObjects();

  // Redrawing resumes on every way out, before the busy flag is cleared.
  TTreeNodes& items = TreeView->Items();
  items.BeginUpdate();
  TOnScopeExit redraw([&items] { items.EndUpdate(); });
  items.Clear();
  FDragNode = nullptr;
  TTreeNode* root = items.AddChildObject(nullptr, "Scene", nullptr);
  try {
    FWalk.Run();
  } catch (...) {
    ShowWalk(root);  // what was read before the failure stays, unsorted
    throw;
  }
  ShowWalk(root);
  TreeView->AlphaSort();
  root->SetImageIndex(kGlyphScene);
  root->SetSelectedIndex(kGlyphScene);
  root->Expand(false);
  RestoreExpansion(root, expanded);
}

void TMainForm::DeferRebuild() {
  if (FRebuildDeferred) return;
  FRebuildDeferred = true;
  TreeView->PostCall([this] {
    FRebuildDeferred = false;
    RunCommand(TPanelCommand::DeferredRebuild, [this] { RebuildTree(); });
  });
}

// The objects of the items that are expanded, the first item excepted: the root's own state is not kept.
// Another program may have expanded or collapsed items through the control itself, so the control is
// asked first. Items still waiting to be made were never expanded.
std::unordered_set<SobjHandle> TMainForm::ExpandedObjects() {
  TreeView->ReadExpandedState();
  std::unordered_set<SobjHandle> expanded;
  TTreeNode* first = TreeView->Items().GetFirstNode();
  for (TTreeNode* node = first ? first->GetNextMade() : nullptr; node; node = node->GetNextMade())
    if (node->Expanded()) expanded.insert(static_cast<SobjHandle>(node->Data()));
  return expanded;
}

// Fills the tree from the walk, selects the first object the host reports selected (which reveals it) and
// keeps each object's item for FindNodeBySobj.
void TMainForm::ShowWalk(TTreeNode* root) {
  TTreeNodes& items = TreeView->Items();
  FFill.Fill(items, root, FWalk);
  if (FWalk.Selected() >= 0) TreeView->SetSelected(FFill.NodeOf(FWalk.Selected()));
  FItemIndex.Adopt(FWalk, FFill, items);
}

// Every item with children is expanded when its object was expanded before the rebuild, collapsed
// otherwise. New items are collapsed, so only the remembered objects and the ancestors that the initial
// selection revealed need a change; the ancestors are collapsed from the top, as a walk in tree order would,
// so that the selection moves to the topmost one that closes.
void TMainForm::RestoreExpansion(TTreeNode* root, const std::unordered_set<SobjHandle>& expanded) {
  for (SobjHandle object : expanded) {
    TTreeNode* node = object ? FindNodeBySobj(object) : nullptr;
    if (node && node != root && node->HasChildren()) node->SetExpanded(true);
  }
  std::vector<TTreeNode*> revealed;
  if (TTreeNode* selected = TreeView->Selected())
    for (TTreeNode* p = selected->Parent(); p && p != root; p = p->Parent()) revealed.push_back(p);
  for (auto p = revealed.rbegin(); p != revealed.rend(); ++p)
    if (!expanded.count(static_cast<SobjHandle>((*p)->Data()))) (*p)->SetExpanded(false);
}

TTreeNode* TMainForm::FindNodeBySobj(SobjHandle object) {
  return FItemIndex.Find(TreeView->Items(), object);
}
