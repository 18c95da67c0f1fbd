// The tree engine: the Windows tree-view common control kept in step with a tree of items (TTreeNode,
// TreeNodes.h) that its owner builds and changes as it likes.
//
// What it promises:
// - The control shows exactly what the items say (label, pictures, state image, order, expanded branches,
//   the selected item): at once outside an update, when the update ends inside one.
// - The control hears only of what changed: one insert per item it must hold, with all its attributes, and
//   one message per attribute, order or expansion that changed. The control measures every label it is
//   given, so giving it only what changed keeps a rebuild in proportion to what changed.
// - It holds only the items a user can reach (the children of expanded branches); the others wait as
//   items, or as entries of their owner's list (TTreeNodeSource), until first asked for.
// - A clear inside an update keeps the control's items for the new items that show the same
//   (TreeViewKeep.cpp): rebuilding an unchanged tree sends no message per item.
// - Finding an item by its control handle, walking the items and counting them send no message. The
//   control is asked only what it alone knows: whether a branch is expanded (ReadExpandedState).
// What it never does: call the host, or know what its items stand for. What the user does to the control
// (a click, an edit, a drag) reaches the owner as events, and the owner decides.
//
// The files: TreeNodes (the items, made in blocks, children made when first asked for), TreeView (the
// control object), TreeViewSync (the items given to the control), TreeViewKeep (the control's items kept
// through a clear), TreeViewNotify (the control's notifications as events), TreeViewDrag (dragging).
#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "Controls.h"
#include "ScopeExit.h"
#include "TreeNodes.h"

class TImageList;

enum TSortType { stNone, stData, stText, stBoth };
enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TTVChangedEvent = std::function<void(TComponent* sender, TTreeNode* node)>;
using TTVExpandingEvent = std::function<void(TComponent* sender, TTreeNode* node, bool& allow)>;
using TTVEditingEvent = std::function<void(TComponent* sender, TTreeNode* node, bool& allowEdit)>;
using TTVEditedEvent = std::function<void(TComponent* sender, TTreeNode* node, std::string& text)>;
using TStartDragEvent = std::function<void(TComponent* sender)>;
using TDragOverEvent =
    std::function<void(TComponent* sender, TComponent* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TComponent* sender, TComponent* source, int x, int y)>;
using TEndDragEvent = std::function<void(TComponent* sender, TComponent* target, int x, int y)>;
using TTVCustomDrawEvent = std::function<void(TComponent* sender, const RECT& rect, bool& defaultDraw)>;
using TTVCustomDrawItemEvent =
    std::function<void(TComponent* sender, TTreeNode* node, UINT state, bool& defaultDraw)>;

class TCustomTreeView : public TWinControl {
 public:
  explicit TCustomTreeView(TComponent* owner);
  ~TCustomTreeView() override;

  TTreeNodes& Items() { return FItems; }

  bool ShowRoot = true;
  bool ShowButtons = true;
  bool ShowLines = true;
  bool HideSelection = true;
  bool ReadOnly = false;
  // The most characters the label edit field takes; 0 leaves the control's own limit.
  int MaxLabelLength = 0;
  bool RightClickSelect = false;
  bool ToolTips = true;
  bool AutoExpand = false;
  bool RowSelect = false;
  bool HotTrack = false;
  int Indent = 19;
  TSortType SortType = stNone;
  TDragMode DragMode = dmManual;
  void SetImages(TImageList* images);
  void SetStateImages(TImageList* images);
  TImageList* Images() const { return FImages; }
  TImageList* StateImages() const { return FStateImages; }

  // The selected item; during a right click's menu request, the right-clicked item.
  TTreeNode* Selected() const;
  void SetSelected(TTreeNode* node);
  TTreeNode* TopItem();
  TTreeNode* DropTarget() const { return FDropTarget; }
  void SetDropTarget(TTreeNode* node);
  TTreeNode* GetNodeAt(int x, int y);
  // Every level in label order. A branch whose children the control does not hold yet is put in order when
  // it takes them; TTreeNode::AlphaSort sorts a branch at once.
  void AlphaSort();
  // Takes the control's expanded state into the items whose children it holds (the only ones it can show
  // expanded), the first top-level item excepted. Another program may expand or collapse items by sending
  // the control TVM_EXPAND, which notifies nobody once an item has been expanded before.
  void ReadExpandedState();
  bool Dragging() const { return FDragging; }
  bool IsEditing();
  // Opens the label edit field on the selected item, as a click on its label does.
  void EditSelected();

  // Messages that named an item or changed what the control shows, sent since the control was made.
  int ItemMessagesSent() const { return FItemMessages; }

  TTVChangedEvent OnChange;
  TTVExpandingEvent OnExpanding;
  TTVExpandingEvent OnCollapsing;
  TTVChangedEvent OnExpanded;
  TTVChangedEvent OnCollapsed;
  TTVEditingEvent OnEditing;
  TTVEditedEvent OnEdited;
  TTVChangedEvent OnDeletion;
  TTVChangedEvent OnGetImageIndex;
  TTVChangedEvent OnGetSelectedIndex;
  TStartDragEvent OnStartDrag;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;
  TTVCustomDrawEvent OnCustomDraw;
  TTVCustomDrawItemEvent OnCustomDrawItem;
  TTVCustomDrawEvent OnAdvancedCustomDraw;
  TTVCustomDrawItemEvent OnAdvancedCustomDrawItem;

  // What the control's display request handling needs of the standard tree view.
  virtual void GetImageIndex(TTreeNode* node);
  virtual void GetSelectedIndex(TTreeNode* node);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandleDone() override;
  void DestroyWnd() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A new colour is given to a window made anew (a system colour is the window's own default, which an
  // earlier colour would otherwise hide); the items survive in FItems.
  void ColorChanged() override;
  // A notification of the control, reflected back to it.
  virtual LRESULT CNNotify(NMHDR* header);
  LRESULT ItemExpanding(NMTREEVIEWA* info);
  void BeginLabelEdit(HTREEITEM item);
  LRESULT EndLabelEdit(NMTVDISPINFOA* info);
  // The standard answers, for a derived control that handles some notifications itself.
  LRESULT DefaultGetDispInfo(NMTVDISPINFOA* info);
  LRESULT DefaultCustomDraw(NMTVCUSTOMDRAW* draw);
  LRESULT DefaultRightClick();
  bool CustomDrawAssigned() const;
  // The item the control holds under a handle, found without asking the control; null if none.
  TTreeNode* NodeFromItem(HTREEITEM item) const;
  // The deletion notification of one item (OnDeletion).
  virtual void Delete(TTreeNode* node);
  // The deletion notification of node and of every item made below it, the innermost first.
  void NotifyDeletion(TTreeNode* node);

  LRESULT Perform(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  friend class TTreeNode;
  friend class TTreeNodes;

  // Bringing the control up to date with the items.
  LRESULT Change(UINT message, WPARAM wParam, LPARAM lParam);
  void HoldRedraw();
  void EndUpdate();
  void InsertItem(TTreeNode* node, HTREEITEM after);
  void InsertBranch(TTreeNode* node, HTREEITEM after);
  void InsertChildren(TTreeNode* node);
  void SyncControl();
  void SyncNode(TTreeNode* node);
  void ApplyAttributes(TTreeNode* node, UINT mask);
  // controlKnown: the control's expanded state of node is known to be FExpandedInControl.
  void ApplyExpanded(TTreeNode* node, bool controlKnown = false);
  void ApplySelection();
  void RevealSelected();
  // Scrolls back up a view that shows empty rows below the last item while items above are hidden.
  void FillView();
  // Whole rows the view shows below its last item; 0 when it cannot tell.
  int EmptyRowsAtTheEnd();
  // Runs work with the control's drawing held when it is on screen. The control draws each step of a
  // reveal or an expansion at once, and a drawing costs in proportion to what is shown rather than to the
  // step; with the window marked undrawable (the default WM_SETREDRAW) it does the same work, and one
  // repaint follows.
  void WithDrawingHeld(const std::function<void()>& work);
  void ApplyChildOrder(TTreeNode* parent);
  void NodeAdded(TTreeNode* node);
  void NodeChanged(TTreeNode* node, UINT mask);
  void NodeRemoved(TTreeNode* node);
  void ForgetItems(TTreeNode* node);
  // The control's items and their handles are gone with its window: what the items knew of them goes too.
  void ForgetControl();
  void CancelLabelEdit();
  void ClearControl();
  void RealisePath(TTreeNode* node);
  // How deep a sort goes below the level it sorts: not at all, into the levels the control holds, or all.
  enum TSortDepth { sdLevel, sdShown, sdAll };
  void SortBranch(TTreeNode* parent, TSortDepth depth);
  void SortLevel(std::vector<TTreeNode*>& children);
  void ChildOrderChanged(TTreeNode* parent);
  void ItemExpanded(NMTREEVIEWA* info);
  static UINT StateImageBits(int stateIndex);
  static int CALLBACK CompareByModelOrder(LPARAM a, LPARAM b, LPARAM tree);
  void NameItem(TTreeNode* node, HTREEITEM item, LPARAM tag);

  // The control's items kept through a clear inside an update (TreeViewKeep.cpp).
  bool KeepControlItems();
  void DropUnusedKept();
  void MatchKeptChildren(TTreeNode* node, int kept);
  void DropKeptItem(HTREEITEM item);
  void TakeKeptItem(TTreeNode* node, int kept);
  bool PlaceChildren(TTreeNode* node);
  void PlaceTopLevel();
  void ForgetKeptItems();

  // Automatic dragging.
  void BeginAutoDrag(TTreeNode* node);
  void DragMove(int x, int y);
  void EndAutoDrag(bool drop, int x, int y);
  // The control's drop mark on FDropTarget's item, and on no other.
  void ShowDropTarget();

  TTreeNodes FItems;
  // The items the control holds, by handle and by the tag the control keeps as their parameter: finding
  // one never costs a message. The tag is no pointer, so a control item kept for a new item
  // (TreeViewKeep.cpp) needs no message to name it.
  std::unordered_map<HTREEITEM, TTreeNode*> FNodeOfItem;
  std::unordered_map<LPARAM, TTreeNode*> FNodeOfTag;
  LPARAM FLastItemTag = 0;
  TImageList* FImages = nullptr;       // not owned
  TImageList* FStateImages = nullptr;  // not owned
  TTreeNode* FSelected = nullptr;      // not owned: an item of FItems
  TTreeNode* FRightClickNode = nullptr;
  TTreeNode* FDropTarget = nullptr;
  // Not owned: the selected item when the drag began, which a drag without a drop selects again unless
  // the items were rebuilt meanwhile (the rebuild's selection stands then).
  TTreeNode* FSelectedBeforeDrag = nullptr;
  bool FSelectionBeforeDragKept = false;
  HTREEITEM FEditItem = nullptr;  // the item whose label the control's edit field holds, if one is open
  bool FSelectionPending = false;
  bool FClearing = false;
  bool FClickSeen = false;
  bool FDragging = false;
  bool FDragAccepted = false;
  bool FEscapeEndedDrag = false;  // the latest key pressed was the Escape that ended a drag
  int FItemMessages = 0;
  bool FRootOrderPending = false;  // the control must re-sort its top level
  bool FInButtonDown = false;
  bool FEndingUpdate = false;   // the update's changes are being given to the control
  bool FRedrawHeld = false;     // the control does not draw until the update ends
  bool FRevealPending = false;  // the selected item is scrolled into view once the control draws again

  // A kept item: what the control shows of it, and where its children held by the control are kept.
  struct TKeptItem {
    HTREEITEM item;
    LPARAM tag;
    std::string text;
    UINT stateImage;
    bool hasChildren;
    bool expanded;
    int firstChild = 0;
    int childCount = 0;
  };
  std::vector<TKeptItem> FKept;  // the top level first, then each kept item's children together
  int FKeptTopLevel = 0;
  std::unordered_map<TTreeNode*, int> FKeptChildren;  // new items that take over kept children when shown
  bool FKeptCaret = false;                            // the control showed a selected item
  bool FKeptDropTarget = false;                       // and a drop target
  bool FKeptSelectionMoved = false;                   // dropping a kept item may move the control's caret
};
