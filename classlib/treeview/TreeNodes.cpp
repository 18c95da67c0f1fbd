#include "TreeNodes.h"

#include <cstring>
#include <new>

#include "TreeView.h"

int TTreeNode::Level() const {
  int level = 0;
  for (TTreeNode* p = FParent; p; p = p->FParent) ++level;
  return level;
}

std::vector<TTreeNode*>& TTreeNode::Siblings() const {
  return FParent ? FParent->FChildren : FOwner->FRoots;
}

TTreeNode* TTreeNode::GetNextSibling() const {
  auto& siblings = Siblings();
  return FIndex + 1 < static_cast<int>(siblings.size()) ? siblings[FIndex + 1] : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
  return FIndex > 0 ? Siblings()[FIndex - 1] : nullptr;
}

const std::vector<TTreeNode*>& TTreeNode::Children() const {
  if (FWaitingItems > 0) FOwner->MakeWaitingChildren(const_cast<TTreeNode*>(this));
  return FChildren;
}

TTreeNode* TTreeNode::GetNext() const {
  Children();  // the waiting children are made: the next item is the first of them
  return GetNextMade();
}

TTreeNode* TTreeNode::GetNextMade() const {
  if (!FChildren.empty()) return FChildren.front();
  for (const TTreeNode* node = this; node; node = node->FParent)
    if (TTreeNode* next = node->GetNextSibling()) return next;
  return nullptr;
}

bool TTreeNode::IsAncestorOf(const TTreeNode* node) const {
  for (const TTreeNode* p = node ? node->FParent : nullptr; p; p = p->FParent)
    if (p == this) return true;
  return false;
}

void TTreeNode::Changed(UINT mask) {
  FOwner->FOwner->NodeChanged(this, mask);
}

void TTreeNode::SetData(void* data) {
  if (data == FData) return;
  FData = data;
  ++FOwner->FGeneration;
}

void TTreeNode::SetText(const std::string& text) {
  if (text == FText) return;
  FText = text;
  Changed(TVIF_TEXT);
}

void TTreeNode::SetImageIndex(int index) {
  if (index == FImageIndex) return;
  FImageIndex = index;
  Changed(TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(int index) {
  if (index == FSelectedIndex) return;
  FSelectedIndex = index;
  Changed(TVIF_SELECTEDIMAGE);
}

void TTreeNode::SetStateIndex(int index) {
  if (index == FStateIndex) return;
  FStateIndex = index;
  Changed(TVIF_STATE);
}

void TTreeNode::SetExpanded(bool expanded) {
  if (expanded == FExpanded) return;
  FExpanded = expanded;
  TCustomTreeView* tree = FOwner->FOwner;
  // Collapsing hides a selected descendant; the selection moves to the collapsed item, as in the control.
  if (!expanded && IsAncestorOf(tree->FSelected)) tree->SetSelected(this);
  Changed(kExpandedChanged);
}

void TTreeNode::Expand(bool recurse) {
  SetExpanded(true);
  if (recurse)
    for (auto& child : Children()) child->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
  SetExpanded(false);
  if (recurse)
    for (auto& child : FChildren) child->Collapse(true);
}

bool TTreeNode::Selected() const {
  return FOwner->FOwner->Selected() == this;
}

void TTreeNode::SetSelected(bool selected) {
  TCustomTreeView* tree = FOwner->FOwner;
  if (selected)
    tree->SetSelected(this);
  else if (tree->Selected() == this)
    tree->SetSelected(nullptr);
}

bool TTreeNode::DropTarget() const {
  return FOwner->FOwner->DropTarget() == this;
}

RECT TTreeNode::DisplayRect(bool textOnly) const {
  RECT rect{};
  TCustomTreeView* tree = FOwner->FOwner;
  if (!FItemId || !tree->HandleAllocated()) return rect;
  memcpy(&rect, &FItemId, sizeof FItemId);  // the control reads the item from the rectangle
  if (!tree->Perform(TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&rect))) return RECT{};
  // Windows reports no rectangle for an item scrolled out of view; Wine reports one outside the client area.
  RECT client, shown;
  GetClientRect(tree->Handle(), &client);
  if (!IntersectRect(&shown, &rect, &client)) return RECT{};
  return rect;
}

void TTreeNode::MakeVisible() {
  TCustomTreeView* tree = FOwner->FOwner;
  for (TTreeNode* p = FParent; p; p = p->FParent) p->SetExpanded(true);
  if (FItemId && !FOwner->Updating()) tree->Perform(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(FItemId));
}

void TTreeNode::Delete() {
  FOwner->Delete(this);
}

void TTreeNode::AlphaSort(bool recurse) {
  FOwner->FOwner->SortBranch(this, recurse ? TCustomTreeView::sdAll : TCustomTreeView::sdLevel);
}

TTreeNodes::~TTreeNodes() {
  DestroyAll();
  for (void* block : FBlocks) ::operator delete(block);
}

// Every item: slot by slot through the blocks when no item was deleted on its own (the usual case, and
// the items then lie in the order they were made), else through the tree.
void TTreeNodes::DestroyAll() {
  if (!FFreeSlots.empty()) {
    for (TTreeNode* root : FRoots) DestroySubtree(root, false);
    return;
  }
  for (size_t block = 0; block < FBlocksUsed; ++block) {
    auto* slots = static_cast<TTreeNode*>(FBlocks[block]);
    size_t used = block + 1 == FBlocksUsed ? FSlotsUsed : kBlockNodes;
    for (size_t i = 0; i < used; ++i) slots[i].~TTreeNode();
  }
}

TTreeNode* TTreeNodes::MakeNode(TTreeNode* parent) {
  void* slot;
  if (!FFreeSlots.empty()) {
    slot = FFreeSlots.back();
    FFreeSlots.pop_back();
  } else {
    if (FSlotsUsed == kBlockNodes) {
      if (FBlocksUsed == FBlocks.size()) FBlocks.push_back(::operator new(kBlockNodes * sizeof(TTreeNode)));
      ++FBlocksUsed;
      FSlotsUsed = 0;
    }
    slot = static_cast<char*>(FBlocks[FBlocksUsed - 1]) + FSlotsUsed++ * sizeof(TTreeNode);
  }
  return new (slot) TTreeNode(this, parent);
}

// Ends the node and every descendant; their slots are kept for new items when keepSlots is set (a clear
// hands out every block again from the start instead).
void TTreeNodes::DestroySubtree(TTreeNode* node, bool keepSlots) {
  std::vector<TTreeNode*> pending{node};
  while (!pending.empty()) {
    TTreeNode* item = pending.back();
    pending.pop_back();
    pending.insert(pending.end(), item->FChildren.begin(), item->FChildren.end());
    item->~TTreeNode();
    if (keepSlots) FFreeSlots.push_back(item);
  }
}

TTreeNode* TTreeNodes::Item(int index) const {
  TTreeNode* node = GetFirstNode();
  while (node && index-- > 0) node = node->GetNext();
  return node;
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
  if (parent) parent->Children();  // a new child comes after those waiting
  auto& siblings = parent ? parent->FChildren : FRoots;
  TTreeNode* added = MakeNode(parent);
  added->FText = text;
  added->FIndex = static_cast<int>(siblings.size());
  siblings.push_back(added);
  ++FCount;
  FOwner->NodeAdded(added);
  return added;
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& text, void* data) {
  TTreeNode* node = AddChild(parent, text);
  node->SetData(data);
  return node;
}

TTreeNode* TTreeNodes::AddMadeChild(TTreeNode* parent, std::string_view text, void* data) {
  TTreeNode* added = MakeNode(parent);
  added->FText = text;
  added->FData = data;
  added->FIndex = static_cast<int>(parent->FChildren.size());
  parent->FChildren.push_back(added);
  ++FCount;
  return added;
}

void TTreeNodes::DeferChildren(TTreeNode* node, int entry, int items) {
  if (!node || items <= 0 || !FSource) return;
  node->Children();  // children already there stay, and keep their place before the waiting ones
  node->FSourceEntry = entry;
  node->FWaitingItems = items;
  FCount += items;
  if (node->FItemId && node->FChildren.empty()) FOwner->NodeChanged(node, TVIF_CHILDREN);
}

// The waiting items leave the count, and come back into it as the source makes or defers them again.
void TTreeNodes::MakeWaitingChildren(TTreeNode* node) {
  FCount -= node->FWaitingItems;
  node->FWaitingItems = 0;
  if (FSource) FSource->MakeChildren(*this, node, node->FSourceEntry);
}

void TTreeNodes::SetSource(TTreeNodeSource* source) {
  if (!source && FSource) {
    for (TTreeNode* node = GetFirstNode(); node; node = node->GetNextMade()) {
      FCount -= node->FWaitingItems;
      node->FWaitingItems = 0;
    }
  }
  FSource = source;
}

int TTreeNodes::SubtreeSize(const TTreeNode* node) {
  int size = 1 + node->FWaitingItems;
  for (const TTreeNode* child : node->FChildren) size += SubtreeSize(child);
  return size;
}

void TTreeNodes::Delete(TTreeNode* node) {
  if (!node) return;
  FOwner->NodeRemoved(node);
  FCount -= SubtreeSize(node);
  auto& siblings = node->Siblings();
  TTreeNode* parent = node->FParent;
  siblings.erase(siblings.begin() + node->FIndex);
  for (size_t i = 0; i < siblings.size(); ++i) siblings[i]->FIndex = static_cast<int>(i);
  DestroySubtree(node, true);
  ++FGeneration;
  if (parent && !parent->HasChildren()) FOwner->NodeChanged(parent, TVIF_CHILDREN);
}

void TTreeNodes::Clear() {
  FOwner->ClearControl();
  FSource = nullptr;
  DestroyAll();
  for (void* block : FBlocks) ::operator delete(block);
  FBlocks.clear();
  FRoots.clear();
  FFreeSlots.clear();
  FBlocksUsed = 0;
  FSlotsUsed = kBlockNodes;
  FCount = 0;
  ++FGeneration;
}

void TTreeNodes::BeginUpdate() {
  ++FUpdateCount;
}

void TTreeNodes::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  if (FOwner->HandleAllocated()) FOwner->EndUpdate();
}
