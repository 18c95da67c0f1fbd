// Regrouping by drag and drop: an object item dropped on the root or a material item leaves its group;
// dropped on another object's item it leaves its group and joins that object's. It is never dropped on
// itself or on anything inside it: the host would be asked to group an object into itself or into its
// own member.
#include "Main.h"

bool TMainForm::DropsIntoDragged(TTreeNode* target) const {
  return target && (target == FDragNode || FDragNode->IsAncestorOf(target));
}

void TMainForm::TreeViewStartDrag(TComponent*) {
  FDragNode = TreeView->Selected();
}

void TMainForm::TreeViewDragOver(TComponent*, TComponent*, int, int, TDragState, bool& accept) {
  accept = FDragNode && FDragNode->Data() && !DropsIntoDragged(TreeView->DropTarget());
}

// Whatever the host did before a failure, the view is refreshed and the tree rebuilt to show it.
void TMainForm::TreeViewDragDrop(TComponent*, TComponent*, int, int) {
  RunCommand(TPanelCommand::Regroup, [&] {
    TTreeNode* dragged = FDragNode;
    TTreeNode* target = TreeView->DropTarget();
    if (!dragged || !target || !dragged->Data() || DropsIntoDragged(target)) return;
    auto object = static_cast<SobjHandle>(dragged->Data());
    auto targetObject = static_cast<SobjHandle>(target->Data());
    if (HostCall(tsxIsGNodeInScene, object) == 0) return;
    if (targetObject && HostCall(tsxIsGNodeInScene, targetObject) == 0) return;
    RunCommand(TPanelCommand::Regroup, [&] { MoveToGroup(dragged, target); });
    HostCall(tsxAViewRefresh);
    RebuildTree();
  });
}

// Out of its group, and into the target's unless the target is the root or a material.
void TMainForm::MoveToGroup(TTreeNode* dragged, TTreeNode* target) {
  auto object = static_cast<SobjHandle>(dragged->Data());
  auto targetObject = static_cast<SobjHandle>(target->Data());
  TFlagScope busy(FRefreshing);
  if (!targetObject) {
    HostCall(tsxSelectSobj, object, 0, 1);
    HostCall(tsxGroupRemoveCurrobj);
    return;
  }
  TTreeNode* parent = dragged->Parent();
  bool alreadyThere = target == parent;
  bool twoMembers = dragged->Level() > 1 && target->Parent() == parent && parent->Count() == 2;
  if (alreadyThere || twoMembers) return;
  HostCall(tsxSelectSobj, object, 0, 1);
  HostCall(tsxGroupRemoveCurrobj);
  if (HostCall(tsxIsGNodeInScene, targetObject) != 0) {
    HostCall(tsxSelectSobj, targetObject, 0, 1);
    HostCall(tsxGroupAtCurrobj, object);
  }
}
