// The scene panel: the plug-in's one window, a tool strip above the host's scene shown as a tree.
//
// How a click travels. The host's message loop hands WM_LBUTTONDOWN on the tree to the class library's one
// window procedure (ControlWindowProc, behind an entry barrier that no exception or fault gets past), which
// dispatches it to the tree control's object. The object lets the common control track the button; the
// control reports the click to the panel as WM_NOTIFY/NM_CLICK, which the panel's window reflects back to
// the tree as CN_NOTIFY, and once the button is up the tree raises OnClick: TMainForm::TreeViewClick. The
// handler checks the item and its object and calls tsxSelectSobj through HostCall, which turns a host
// failure (a structured exception) into a C++ one that the handler swallows. Inside that call the host
// announces the new selection: its callback (tsxEvents, behind its own barrier) raises
// OnSelectionChanged, TsxEvents1SelectionChanged finds the tree already on that object and does nothing,
// and the host call returns. A command chosen from a pop-up menu takes the same road, except that the
// menu posts the command to the control (PostCall) so that it runs after the control's own handling; a
// rebuild asked for while the control waits inside a notification is posted the same way.
#pragma once

#include <string>
#include <unordered_set>

#include "CommandFailures.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "HostCall.h"
#include "ImgList.h"
#include "ItemIndex.h"
#include "Menus.h"
#include "PictureIndex.h"
#include "SceneWalk.h"
#include "ScopeExit.h"
#include "ToolBar.h"
#include "TreeFill.h"
#include "TreeView.h"
#include "TsxApi5.h"
#include "TsxFormBase.h"
#include "UQxTreeList.h"
#include "lmdmsg.h"
#include "tsxEvents.h"
#include "tsxPlug.h"

class TMainForm : public TTsxFormBase {
 public:
  explicit TMainForm(TComponent* owner);
  ~TMainForm() override;

  TTsx* Tsx1;
  TTsxEvents* TsxEvents1;
  TImageList* GlyphImageList;
  TImageList* ToolImageList;
  TPopupMenu* ContextPopup;
  TMenuItem* Delete1;
  TMenuItem* DeleteAnimation2;
  TMenuItem* DeleteAnimationIncludeChildren2;
  TMenuItem* ContextEdit1;
  TMenuItem* N3;
  TMenuItem* Ungroup1;
  TMenuItem* N4;
  TPopupMenu* MainPopup;
  TMenuItem* ContextEditor2;
  TMenuItem* N6;
  TMenuItem* Ungroup3;
  TMenuItem* N7;
  TMenuItem* DeleteObject2;
  TMenuItem* DeleteAnimation3;
  TMenuItem* DeleteAnimationIncludeChildren3;
  TMenuItem* N8;
  TMenuItem* Refresh2;
  TPanel* Panel1;
  TToolBar* ToolBar2;
  TToolButton* ToolButton2;
  TToolBar* ToolBar1;
  TToolButton* EditButton;
  TToolButton* RefreshButton;
  TToolButton* ToolButton1;
  TToolButton* DeleteButton;
  TToolButton* ToolButton3;
  TLMDMessageBoxDlg* LMDMessageBoxDlg1;
  TQxTreeView* TreeView;
  TImageList* StateImageList;
  TToolButton* VisibilityButton;
  TMenuItem* ToggleVisibility1;
  TMenuItem* ToggleVisibility2;

  // Handlers, each wired in the form's definition.
  void FormCreate(TComponent* sender);
  int Tsx1LeftClick();
  void Tsx1RightClick();
  void RefreshButtonClick(TComponent* sender);
  void TsxEvents1SelectionChanged();
  void Tsx1PlugInit();
  void Tsx1Deactivate();
  void TreeViewEdited(TComponent* sender, TTreeNode* node, std::string& text);
  void TreeViewDragOver(TComponent* sender, TComponent* source, int x, int y, TDragState state, bool& accept);
  void TreeViewStartDrag(TComponent* sender);
  void TreeViewDragDrop(TComponent* sender, TComponent* source, int x, int y);
  void DeleteButtonClick(TComponent* sender);
  void DeleteAnimationTreeButtonClick(TComponent* sender);
  void TreeViewDblClick(TComponent* sender);
  void TreeViewClick(TComponent* sender);
  void DeleteAnimation1Click(TComponent* sender);
  void Ungroup2Click(TComponent* sender);
  void TreeViewNodeContextMenu(TComponent* aSender, TTreeNode* aNode, POINT& aPos, TPopupMenu*& aMenu);
  void TreeViewKeyUp(TComponent* sender, WORD& key, TShiftState shift);
  void VisibilityButtonClick(TComponent* sender);

  // Tree building.
  void RebuildTree();
  TTreeNode* FindNodeBySobj(SobjHandle object);
  void MarkHidden(TTreeNode* node, bool hidden);

  bool Refreshing() const { return FRefreshing; }

 protected:
  SIZE MinClientSize() override;

 private:
  void DefineForm();
  void DefineMenus();
  void DefineToolBars();
  void DefineTreeView();
  TMenuItem* AddMenuItem(TPopupMenu* menu, const char* name, const char* caption, int image,
                         void (TMainForm::*handler)(TComponent*));
  struct TNamedEntry {
    TMenuItem** field;
    const char* name;
  };
  void AddCommandEntries(TPopupMenu* menu, const TNamedEntry (&entries)[8], const char* editCaption,
                         const char* deleteCaption);
  TToolButton* AddToolButton(TToolBar* bar, const char* name, const char* caption, const char* hint,
                             int image, void (TMainForm::*handler)(TComponent*));
  std::unordered_set<SobjHandle> ExpandedObjects();
  void ShowWalk(TTreeNode* root);
  void RestoreExpansion(TTreeNode* root, const std::unordered_set<SobjHandle>& expanded);
  // The object of the selected item when the common guard passes: an item is selected, it stands for an
  // object, and the host still has that object. Null otherwise.
  SobjHandle GuardedSelection();
  // The drop target is the dragged item or lies inside it.
  bool DropsIntoDragged(TTreeNode* target) const;
  void MoveToGroup(TTreeNode* dragged, TTreeNode* target);
  void ConfirmAndDeleteAnimation(const char* question, bool withChildren);
  // A rebuild asked for while the tree control waits for the answer to one of its notifications (a host
  // that calls back from inside the rename, say) would free the items the control is working on: it runs
  // once the control has returned instead. Only handlers that swallow their failures get there.
  void DeferRebuild();

  // Set (TFlagScope) while a rebuild or a host call of ours runs: the host's callbacks inside it stay out.
  bool FRefreshing = false;
  bool FRebuildDeferred = false;
  // The confirmation box's last answer to deleting animation; the standing one once it is not asked again.
  int FAnimationAnswer = mrNo;
  TTreeNode* FDragNode = nullptr;  // not owned: an item of TreeView, void after a rebuild
  TSceneWalk FWalk;                // the latest rebuild's reading of the scene, which the items are made from
  TWalkFill FFill;                 // makes the items of the tree's waiting branches from FWalk
  TItemIndex FItemIndex;           // each object's item, for FindNodeBySobj
};

extern TMainForm* MainForm;
