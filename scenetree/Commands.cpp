// The editing commands. Each acts on the object of the selected item and does nothing at all when the
// common guard fails; the tool button and both menus' entries share one handler.
#include <vector>

#include "Main.h"

SobjHandle TMainForm::GuardedSelection() {
  TTreeNode* node = TreeView->Selected();
  if (!node || !node->Data()) return nullptr;
  auto object = static_cast<SobjHandle>(node->Data());
  return HostCall(tsxIsGNodeInScene, object) != 0 ? object : nullptr;
}

// The label takes the typed name only once the host has: an edit of an object the host no longer has, or
// one the host failed inside, keeps the label it had.
void TMainForm::TreeViewEdited(TComponent*, TTreeNode* node, std::string& text) {
  if (!node || !node->Data()) return;
  // An edit closed without a change renames nothing: the label may be the host's name cut to 255
  // characters, and passing it back would cut the name in the host.
  if (text == node->Text()) return;
  const std::string typed = text;
  text = node->Text();
  RunCommand(TPanelCommand::Rename, [&] {
    auto object = static_cast<SobjHandle>(node->Data());
    if (HostCall(tsxIsGNodeInScene, object) == 0) return;
    HostCall(tsxGNodeSetName, object, typed.c_str());
    text = typed;
  });
}

// After a failure the marks show what the panel asked for.
void TMainForm::VisibilityButtonClick(TComponent*) {
  RunCommand(TPanelCommand::ToggleVisibility, [&] {
    SobjHandle object = GuardedSelection();
    if (!object || HostCall(tsxIsMNode, object) == 0) return;
    // The host may call back from inside the change and move the tree's selection, or rebuild the tree
    // (whose new marks are the host's already): the marks set are the item's the command was given, and
    // only while the items it was given among are still the tree's.
    TTreeNode* node = TreeView->Selected();
    unsigned generation = TreeView->Items().Generation();
    const bool hide = HostCall(tsxMNodeIsVisible, object) != 0;
    if (hide)
      HostCall(tsxMNodeSetInvisible, object);
    else
      HostCall(tsxMNodeSetVisible, object);
    if (TreeView->Items().Generation() == generation) MarkHidden(node, hide);
    HostCall(tsxAllViewsRefresh);
  });
}

// The item and every descendant show the visibility just given to the host, whatever they showed before:
// a mark the tree had wrong is not carried into the answer.
void TMainForm::MarkHidden(TTreeNode* node, bool hidden) {
  if (!node) return;
  TreeView->Items().BeginUpdate();
  std::vector<TTreeNode*> pending{node};
  while (!pending.empty()) {
    TTreeNode* item = pending.back();
    pending.pop_back();
    item->SetStateIndex(hidden ? kStateHidden : kNoStateImage);
    for (int i = item->Count() - 1; i >= 0; --i) pending.push_back(item->Item(i));
  }
  TreeView->Items().EndUpdate();
}

// The item stays until the next rebuild either way.
void TMainForm::DeleteButtonClick(TComponent*) {
  RunCommand(TPanelCommand::Delete, [&] {
    if (SobjHandle object = GuardedSelection()) HostCall(tsxSobjDelete, object);
  });
}

void TMainForm::DeleteAnimation1Click(TComponent*) {
  ConfirmAndDeleteAnimation("Are you sure you want to delete all animation tracks from this object?", false);
}

void TMainForm::DeleteAnimationTreeButtonClick(TComponent*) {
  ConfirmAndDeleteAnimation(
      "Are you sure you want to delete all animation tracks from this object and all of it's children?",
      true);
}

// Once "Don't show again" is ticked the question is not asked any more, and the answer it was ticked with
// stands for every later one: ticked with No, nothing is deleted.
void TMainForm::ConfirmAndDeleteAnimation(const char* question, bool withChildren) {
  RunCommand(TPanelCommand::DeleteAnimation, [&] {
    SobjHandle object = GuardedSelection();
    if (!object) return;
    if (LMDMessageBoxDlg1->ShowAgain) {
      std::string message = std::string("\r") + question + "\r";
      FAnimationAnswer =
          LMDMessageBoxDlg1->ShowMessageBox(LMDMessageBoxDlg1->CaptionTitle, message, {},
                                            LMDMessageBoxDlg1->Buttons, LMDMessageBoxDlg1->DlgType, 0);
      // The box's loop ran the host meanwhile: the object may be gone.
      if (FAnimationAnswer == mrYes && HostCall(tsxIsGNodeInScene, object) == 0) return;
    }
    if (FAnimationAnswer != mrYes) return;
    if (withChildren)
      HostCall(tsxGNodeDeleteScriptTree, object);
    else
      HostCall(tsxGNodeDeleteScript, object);
  });
}

void TMainForm::Ungroup2Click(TComponent*) {
  RunCommand(TPanelCommand::Ungroup, [&] {
    SobjHandle object = GuardedSelection();
    if (!object) return;
    HostCall(tsxSelectSobj, object, 0, 1);
    HostCall(tsxGroupRemoveCurrobj);
    RebuildTree();
  });
}

void TMainForm::RefreshButtonClick(TComponent*) {
  RunCommand(TPanelCommand::Refresh, [&] { RebuildTree(); });
}

// Context editing has no editor in this panel: a double click only expands or collapses the item.
void TMainForm::TreeViewDblClick(TComponent*) {}
