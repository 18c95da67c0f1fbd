// The tree's selected item and the host's selected object follow each other; no change is echoed back to
// where it came from. FRefreshing keeps notifications that the panel's own host calls cause from
// starting a rebuild or a selection echo.
#include "Main.h"

void TMainForm::TsxEvents1SelectionChanged() {
  if (FRefreshing) return;
  // After a failure the host's next notification catches up.
  RunCommand(TPanelCommand::FollowHostSelection, [&] {
    SobjHandle current = HostCall(tsxGetCurrentSelection);
    if (!current) {
      RebuildTree();
      return;
    }
    TTreeNode* selected = TreeView->Selected();
    if (selected && selected->Data() == current) return;
    if (TTreeNode* node = FindNodeBySobj(current))
      TreeView->SetSelected(node);  // reveals it; programmatic, so nothing goes back to the host
    else
      RebuildTree();  // an object without an item: the rebuild selects what the host reports
  });
}

// A click that the host refuses leaves the tree showing its own selection.
void TMainForm::TreeViewClick(TComponent*) {
  if (FRefreshing) return;
  RunCommand(TPanelCommand::SelectFromTree, [&] {
    TTreeNode* node = TreeView->Selected();
    if (!node || !node->Data()) return;
    auto object = static_cast<SobjHandle>(node->Data());
    if (HostCall(tsxIsGNodeInScene, object) == 0) return;
    if (HostCall(tsxIsSelectable, object) == 1) HostCall(tsxSelectSobj, object, 0, 0);
  });
}

void TMainForm::TreeViewKeyUp(TComponent* sender, WORD&, TShiftState) {
  TreeViewClick(sender);
}

// After a failure the menu still opens, on the item the tree shows selected.
void TMainForm::TreeViewNodeContextMenu(TComponent*, TTreeNode* aNode, POINT&, TPopupMenu*& aMenu) {
  RunCommand(TPanelCommand::ItemMenu, [&] {
    if (aNode && !aNode->Parent()) aMenu = nullptr;  // the scene itself has no commands
    if (!aNode || !aNode->Data()) return;
    auto object = static_cast<SobjHandle>(aNode->Data());
    if (HostCall(tsxIsGNodeInScene, object) == 0) return;
    TreeView->SetSelected(aNode);
    TFlagScope busy(FRefreshing);
    HostCall(tsxSelectSobj, object, 0, 0);
  });
}
