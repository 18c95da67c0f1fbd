// The scene panel's tree control: the standard tree view with a context menu per item, a custom-draw path
// of its own, and a few corrections of the standard control (image events once per display request,
// a deletion notification for every item at destruction, the colour after a system colour change, no
// tooltips on NT with a comctl32.dll older than 4.72).
#pragma once

#include <functional>
#include <memory>

#include "Menus.h"
#include "QxCustomDraw.h"
#include "TreeView.h"

// aPos is in the control's client coordinates; the handler may move it, or change aMenu (null: no menu).
using TQxTvOnNodeContextMenuEvent =
    std::function<void(TComponent* aSender, TTreeNode* aNode, POINT& aPos, TPopupMenu*& aMenu)>;
// aNode is null at the control-wide stages.
using TQxTvCustomDrawEvent = std::function<void(TComponent* aSender, TQxCustomDraw* aCD, TTreeNode* aNode)>;

class TQxCustomTreeView : public TCustomTreeView {
 public:
  explicit TQxCustomTreeView(TComponent* owner) : TCustomTreeView(owner) {}
  ~TQxCustomTreeView() override;

  TQxTvOnNodeContextMenuEvent OnNodeContextMenu;
  TQxTvCustomDrawEvent OnQxCustomDraw;
  TQxTvCustomDrawEvent OnQxCustomDrawEx;

  // The context menu of the current right click has been dealt with; until the click is over (its
  // release processed), the control offers no fallback menu.
  bool NodeMenuShown() const { return FNodeMenuShown; }

 protected:
  virtual void NodeContextMenu(TTreeNode* node, POINT& pos, TPopupMenu*& menu);
  virtual void DoNodeContextMenu(TTreeNode* node, POINT pos);
  virtual void DoKeyboardContextMenu();
  virtual std::unique_ptr<TQxCustomDraw> CreateCustomDraw(NMCUSTOMDRAW* record, LRESULT& result);
  virtual std::unique_ptr<TQxCustomDraw> DispatchCustomDraw(NMCUSTOMDRAW* record, LRESULT& result);

  void CreateParams(TCreateParams& params) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void SysColorChange() override;
  LRESULT CNNotify(NMHDR* header) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT RightClick();
  void ContextMenuRequest(LPARAM position);
  LRESULT RightButtonDown(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT RightButtonUp(WPARAM wParam, LPARAM lParam);
  LRESULT GetDispInfo(NMHDR* header);
  LRESULT CustomDraw(NMHDR* header);
  void PopupAt(TPopupMenu* menu, POINT client);
  POINT LabelCentre(TTreeNode* node);

  bool FNodeMenuShown = false;
  // Made for the latest custom-draw notification; the font it selected must outlive the item's drawing.
  std::unique_ptr<TQxCustomDraw> FCustomDraw;
};

class TQxTreeView : public TQxCustomTreeView {
 public:
  using TQxCustomTreeView::TQxCustomTreeView;
};
