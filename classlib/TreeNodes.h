// The tree view's own items. The wrapper keeps every item here, beside the control, so that walking,
// counting and finding an item never asks the control: under Wine each message that names an item costs
// time in proportion to the item count. The control holds only the items a user can reach (the children
// of expanded branches); a collapsed branch gets its items when it is first expanded.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

class TCustomTreeView;
// The state index of an item that shows no state image.
constexpr int kNoStateImage = -1;

class TTreeNodes;

class TTreeNode {
 public:
  TTreeNode(TTreeNodes* owner, TTreeNode* parent) : FOwner(owner), FParent(parent) {}
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;

  TTreeNodes* Owner() const { return FOwner; }
  TTreeNode* Parent() const { return FParent; }
  int Level() const;
  int Index() const { return FIndex; }

  const std::string& Text() const { return FText; }
  void SetText(const std::string& text);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int index);
  int SelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(int index);
  int StateIndex() const { return FStateIndex; }
  void SetStateIndex(int index);
  void* Data() const { return FData; }
  void SetData(void* data) { FData = data; }

  bool Expanded() const { return FExpanded; }
  void SetExpanded(bool expanded);
  void Expand(bool recurse);
  void Collapse(bool recurse);

  int Count() const { return static_cast<int>(FChildren.size()); }
  bool HasChildren() const { return !FChildren.empty(); }
  TTreeNode* Item(int index) const { return FChildren[index].get(); }
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
  TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back().get(); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // The next item in depth-first order (parents before children), null after the last.
  TTreeNode* GetNext() const;
  bool IsAncestorOf(const TTreeNode* node) const;

  bool Selected() const;
  void SetSelected(bool selected);
  bool DropTarget() const;
  // The item's rectangle in client coordinates (the label's only with textOnly); all zeros when the item
  // is not in view (in a collapsed branch or scrolled out of the client area).
  RECT DisplayRect(bool textOnly) const;
  void MakeVisible();
  void Delete();
  // Sorts the children by label (and theirs too with recurse).
  void AlphaSort(bool recurse);

  // The control's item, null while the control does not hold it.
  HTREEITEM ItemId() const { return FItemId; }

 private:
  friend class TTreeNodes;
  friend class TCustomTreeView;

  std::vector<std::unique_ptr<TTreeNode>>& Siblings() const;
  void Changed(UINT mask);

  TTreeNodes* FOwner;   // not owned
  TTreeNode* FParent;   // not owned; null at the top level
  std::vector<std::unique_ptr<TTreeNode>> FChildren;
  std::string FText;
  int FImageIndex = -1;
  int FSelectedIndex = -1;
  int FStateIndex = kNoStateImage;
  void* FData = nullptr;  // not owned
  bool FExpanded = false;
  int FIndex = 0;
  HTREEITEM FItemId = nullptr;
  bool FChildrenInControl = false;  // the control holds this item's children
  bool FExpandedInControl = false;  // the control shows this item expanded
  UINT FPendingMask = 0;            // attributes changed while the control could not be told
};

class TTreeNodes {
 public:
  explicit TTreeNodes(TCustomTreeView* owner) : FOwner(owner) {}
  ~TTreeNodes();

  TCustomTreeView* Owner() const { return FOwner; }
  int Count() const { return FCount; }
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
  int TopLevelCount() const { return static_cast<int>(FRoots.size()); }
  TTreeNode* TopLevel(int index) const { return FRoots[index].get(); }
  // The item at a depth-first position (a walk: O(index)).
  TTreeNode* Item(int index) const;

  // A new item as the last child of parent (the last top-level item when parent is null).
  TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
  TTreeNode* AddChildObject(TTreeNode* parent, const std::string& text, void* data);
  void Delete(TTreeNode* node);
  void Clear();

  // While updates are open the control is neither redrawn nor told about changes item by item; closing
  // the last one brings it up to date in one pass.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return FUpdateCount > 0; }

 private:
  friend class TTreeNode;
  friend class TCustomTreeView;

  TCustomTreeView* FOwner;  // not owned
  std::vector<std::unique_ptr<TTreeNode>> FRoots;
  int FCount = 0;
  int FUpdateCount = 0;
};
