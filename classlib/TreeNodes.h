// The tree view's own items. The wrapper keeps every item here, beside the control, so that walking,
// counting and finding an item never asks the control: under Wine each message that names an item costs
// time in proportion to the item count. The control holds only the items a user can reach (the children
// of expanded branches); a collapsed branch gets its items when it is first expanded, and a branch sorted
// while the control did not hold its children is put in order then (until then its items keep the order
// they were added in). Items are made in blocks and dropped together: a large tree is rebuilt often, and
// one heap block per item costs more than everything else the rebuild does.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string>
#include <vector>

class TCustomTreeView;
// Changes waiting for the control, beyond its own TVIF_ attribute masks.
constexpr UINT kExpandedChanged = 0x10000;
constexpr UINT kOrderChanged = 0x20000;

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
  void SetData(void* data);

  bool Expanded() const { return FExpanded; }
  void SetExpanded(bool expanded);
  void Expand(bool recurse);
  void Collapse(bool recurse);

  int Count() const { return static_cast<int>(FChildren.size()); }
  bool HasChildren() const { return !FChildren.empty(); }
  TTreeNode* Item(int index) const { return FChildren[index]; }
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
  TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back(); }
  // Room for count children, for a caller that knows how many it will add.
  void ReserveChildren(int count) { FChildren.reserve(count); }
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

  std::vector<TTreeNode*>& Siblings() const;
  void Changed(UINT mask);

  TTreeNodes* FOwner;                 // not owned
  TTreeNode* FParent;                 // not owned; null at the top level
  std::vector<TTreeNode*> FChildren;  // owned through FOwner's blocks
  std::string FText;
  int FImageIndex = -1;
  int FSelectedIndex = -1;
  int FStateIndex = kNoStateImage;
  void* FData = nullptr;  // not owned
  int FIndex = 0;
  HTREEITEM FItemId = nullptr;
  bool FExpanded = false;
  bool FChildrenInControl = false;  // the control holds this item's children
  bool FExpandedInControl = false;  // the control shows this item expanded
  bool FOrderPending = false;       // the children and every level below wait to be sorted by label
  UINT FPendingMask = 0;            // attributes changed while the control could not be told
};

class TTreeNodes {
 public:
  explicit TTreeNodes(TCustomTreeView* owner) : FOwner(owner) {}
  ~TTreeNodes();

  TCustomTreeView* Owner() const { return FOwner; }
  int Count() const { return FCount; }
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }
  int TopLevelCount() const { return static_cast<int>(FRoots.size()); }
  TTreeNode* TopLevel(int index) const { return FRoots[index]; }
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

  // Changes whenever an item is deleted or given other data, so that an index kept beside the items can
  // tell that it is stale.
  unsigned Generation() const { return FGeneration; }

 private:
  friend class TTreeNode;
  friend class TCustomTreeView;

  TTreeNode* MakeNode(TTreeNode* parent);
  void DestroySubtree(TTreeNode* node, bool keepSlots);
  void DestroyAll();

  static constexpr size_t kBlockNodes = 1024;

  TCustomTreeView* FOwner;  // not owned
  std::vector<TTreeNode*> FRoots;
  int FCount = 0;
  int FUpdateCount = 0;
  unsigned FGeneration = 0;
  // The items' storage: blocks of kBlockNodes slots. A clear gives them back to the heap rather than
  // keeping them for the next items: an item used after the clear that freed it must not find a new item
  // in its place, where nothing would notice (the suites that hunt for it poison what the heap gets back).
  std::vector<void*> FBlocks;
  size_t FBlocksUsed = 0;              // blocks handed out since the last clear, the last one partly
  size_t FSlotsUsed = kBlockNodes;     // slots handed out of the last block in use
  std::vector<TTreeNode*> FFreeSlots;  // slots of deleted items
};
