// The tree view's own items. The wrapper keeps every item here, beside the control, so that walking,
// counting and finding an item never asks the control: a message that names an item may cost the control
// time in proportion to its item count, so a message per item would make a pass over the tree quadratic. The
// control holds only the items a user can reach (the children of expanded branches); a collapsed branch gets
// its items when it is first expanded, and a branch sorted while the control did not hold its children is put
// in order then (until then its items keep the order they were added in). Items are made in blocks and
// dropped together: a large tree is rebuilt often, and one heap block per item costs more than everything
// else the rebuild does.
//
// A branch's children may also wait to be made (TTreeNodes::DeferChildren): a tree filled from a large list
// makes the items the control shows and those a caller reaches, and the rest stay entries of the list.
// Asking for a branch's children (Count, Item, GetFirstChild, GetNext, ...) makes them; the item count
// includes the waiting items, and HasChildren answers without making anything.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

class TCustomTreeView;
class TTreeNode;
class TTreeNodes;

// What makes the children of a branch that was deferred with DeferChildren.
class TTreeNodeSource {
 public:
  // Adds the children of entry under parent, in order, with TTreeNodes::AddMadeChild (and defers their own).
  virtual void MakeChildren(TTreeNodes& items, TTreeNode* parent, int entry) = 0;

 protected:
  ~TTreeNodeSource() = default;
};
// Changes waiting for the control, beyond its own TVIF_ attribute masks.
constexpr UINT kExpandedChanged = 0x10000;
constexpr UINT kOrderChanged = 0x20000;

// The state index of an item that shows no state image.
constexpr int kNoStateImage = -1;

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

  int Count() const { return static_cast<int>(Children().size()); }
  bool HasChildren() const { return !FChildren.empty() || FWaitingItems > 0; }
  TTreeNode* Item(int index) const { return Children()[index]; }
  TTreeNode* GetFirstChild() const { return Children().empty() ? nullptr : FChildren.front(); }
  TTreeNode* GetLastChild() const { return Children().empty() ? nullptr : FChildren.back(); }
  // Room for count children, for a caller that knows how many it will add.
  void ReserveChildren(int count) { FChildren.reserve(count); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // The next item in depth-first order (parents before children), null after the last.
  TTreeNode* GetNext() const;
  // The same among the items made so far: a walk that must not make the waiting branches.
  TTreeNode* GetNextMade() const;
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
  // The children, made first if they were waiting.
  const std::vector<TTreeNode*>& Children() const;
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
  int FSourceEntry = 0;   // what the source makes the waiting children from
  int FWaitingItems = 0;  // items below this one that wait to be made (all of them, when any do)
  HTREEITEM FItemId = nullptr;
  LPARAM FItemTag = 0;  // the control's parameter of FItemId, which names it to the sort callback
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

  // node's children wait to be made by the source from entry until someone asks for them; items is how
  // many items they are with all their descendants.
  void DeferChildren(TTreeNode* node, int entry, int items);
  // Where deferred children come from. Null (also after a clear) drops every item still waiting: a source
  // that goes away first must say so.
  void SetSource(TTreeNodeSource* source);
  // A child made for a waiting branch by the source: its data is no change to the tree (Generation stays),
  // and the control learns of it only when it takes the branch.
  TTreeNode* AddMadeChild(TTreeNode* parent, std::string_view text, void* data);

  // While updates are open the control is not told about changes item by item; closing the last one brings
  // it up to date in one pass, with its drawing held from the first change on.
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
  void MakeWaitingChildren(TTreeNode* node);
  // The node and every item below it, made or waiting.
  static int SubtreeSize(const TTreeNode* node);
  void DestroySubtree(TTreeNode* node, bool keepSlots);
  void DestroyAll();

  static constexpr size_t kBlockNodes = 1024;

  TCustomTreeView* FOwner;  // not owned
  std::vector<TTreeNode*> FRoots;
  TTreeNodeSource* FSource = nullptr;  // not owned
  int FCount = 0;                      // waiting items included
  int FUpdateCount = 0;
  unsigned FGeneration = 0;
  // The items' storage: blocks of kBlockNodes slots. A clear gives them back to the heap rather than
  // keeping them for the next items: an item used after the clear that freed it must not find a new item
  // in its place, where nothing would notice; a heap that poisons what it gets back then shows the misuse.
  std::vector<void*> FBlocks;
  size_t FBlocksUsed = 0;              // blocks handed out since the last clear, the last one partly
  size_t FSlotsUsed = kBlockNodes;     // slots handed out of the last block in use
  std::vector<TTreeNode*> FFreeSlots;  // slots of deleted items
};
