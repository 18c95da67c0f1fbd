#include "Main.h"

#include "Application.h"
#include "Glyphs.h"
#include "ResourceIds.h"

TMainForm* MainForm = nullptr;

namespace {
TForm* CreateMainForm(TComponent* owner) {
  return MainForm = CreateForm<TMainForm>(owner);
}

// Registered at load; the form itself is made at the host's first call.
const bool MainFormRegistered = (RegisterMainFormFactory(&CreateMainForm), true);

TFont PanelFont() {
  return TFont("MS Sans Serif", -11, clWindowText);
}
}  // namespace

TMainForm::TMainForm(TComponent* owner) : TTsxFormBase(owner) {
  DefineForm();
}

TMainForm::~TMainForm() {
  // The tree view outlives the walk its waiting branches would be made from.
  TreeView->Items().SetSource(nullptr);
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::DefineForm() {
  SetName("MainForm");
  BorderStyle = bsNone;
  SetCaption("Quillon 1.1");
  SetBounds(283, 134, 243, 299);
  SetColor(clBtnFace);
  Font() = PanelFont();
  PixelsPerInch = 96;
  OnCreate = [this](TComponent* sender) { FormCreate(sender); };

  Tsx1 = new TTsx(this);
  Tsx1->SetName("Tsx1");
  Tsx1->OnPlugInit = [this] { Tsx1PlugInit(); };
  Tsx1->OnLeftClick = [this] { return Tsx1LeftClick(); };
  Tsx1->OnRightClick = [this] { Tsx1RightClick(); };
  Tsx1->OnDeactivate = [this] { Tsx1Deactivate(); };
  Tsx1->Title = DefaultPlugTitle;
  Tsx1->Author = PlugMakerName;
  Tsx1->ResBmpId = IDB_PLUGIN_BUTTON;
  Tsx1->ResStringId = IDS_DESCRIPTION;
  Tsx1->ApiVersionNeeded = 500;

  TsxEvents1 = new TTsxEvents(this);
  TsxEvents1->SetName("TsxEvents1");
  TsxEvents1->SetEvents({peSelect});
  TsxEvents1->OnSelectionChanged = [this] { TsxEvents1SelectionChanged(); };

  GlyphImageList = new TImageList(this);
  GlyphImageList->SetName("GlyphImageList");
  GlyphImageList->SetHandle(CreateGlyphImageList());
  ToolImageList = new TImageList(this);
  ToolImageList->SetName("ToolImageList");
  ToolImageList->SetHandle(CreateToolImageList());

  DefineMenus();
  DefineToolBars();

  LMDMessageBoxDlg1 = new TLMDMessageBoxDlg(this);
  LMDMessageBoxDlg1->SetName("LMDMessageBoxDlg1");
  LMDMessageBoxDlg1->CaptionTitle = "Quillon - Confirm Delete";
  LMDMessageBoxDlg1->Buttons = TMsgDlgButtons{mbYes, mbNo};
  LMDMessageBoxDlg1->DlgType = mtConfirmation;
  LMDMessageBoxDlg1->ShowAgainBox = true;
  LMDMessageBoxDlg1->MessageFont = PanelFont();
  LMDMessageBoxDlg1->CaptionFont = PanelFont();
  LMDMessageBoxDlg1->ButtonFont = PanelFont();

  StateImageList = new TImageList(this);
  StateImageList->SetName("StateImageList");
  StateImageList->SetHandle(CreateStateImageList());

  DefineTreeView();
}

TMenuItem* TMainForm::AddMenuItem(TPopupMenu* menu, const char* name, const char* caption, int image,
                                  void (TMainForm::*handler)(TComponent*)) {
  auto* item = new TMenuItem(this);
  item->SetName(name);
  item->Caption = caption;
  item->ImageIndex = image;
  item->OnClick = MethodEvent(this, handler);
  menu->Add(item);
  return item;
}

// Both pop-up menus offer the editing commands in this order: the tree's for the item under the pointer,
// File's for the selected item. Each menu names its own entries (they are the form's fields) and words the
// first and the deleting entry its own way.
void TMainForm::AddCommandEntries(TPopupMenu* menu, const TNamedEntry (&entries)[8], const char* editCaption,
                                  const char* deleteCaption) {
  struct TCommand {
    const char* caption;
    int image;
    void (TMainForm::*handler)(TComponent*);
  };
  const TCommand commands[8] = {
      {editCaption, kToolContextEdit, &TMainForm::TreeViewDblClick},
      {"-", -1, nullptr},
      {"Toggle Visibility", kToolVisibility, &TMainForm::VisibilityButtonClick},
      {"Ungroup", kToolUngroup, &TMainForm::Ungroup2Click},
      {"-", -1, nullptr},
      {deleteCaption, kToolDelete, &TMainForm::DeleteButtonClick},
      {"Delete Animation", kToolDeleteAnimation, &TMainForm::DeleteAnimation1Click},
      {"Delete Animation (Include Children)", -1, &TMainForm::DeleteAnimationTreeButtonClick},
  };
  for (int i = 0; i < 8; ++i) {
    const TCommand& command = commands[i];
    *entries[i].field = AddMenuItem(menu, entries[i].name, command.caption, command.image, command.handler);
  }
}

void TMainForm::DefineMenus() {
  ContextPopup = new TPopupMenu(this);
  ContextPopup->SetName("ContextPopup");
  ContextPopup->Images = ToolImageList;
  AddCommandEntries(ContextPopup,
                    {{&ContextEdit1, "ContextEdit1"},
                     {&N4, "N4"},
                     {&ToggleVisibility2, "ToggleVisibility2"},
                     {&Ungroup1, "Ungroup1"},
                     {&N3, "N3"},
                     {&Delete1, "Delete1"},
                     {&DeleteAnimation2, "DeleteAnimation2"},
                     {&DeleteAnimationIncludeChildren2, "DeleteAnimationIncludeChildren2"}},
                    "Context Edit", "Delete");

  MainPopup = new TPopupMenu(this);
  MainPopup->SetName("MainPopup");
  MainPopup->Images = ToolImageList;
  AddCommandEntries(MainPopup,
                    {{&ContextEditor2, "ContextEditor2"},
                     {&N6, "N6"},
                     {&ToggleVisibility1, "ToggleVisibility1"},
                     {&Ungroup3, "Ungroup3"},
                     {&N7, "N7"},
                     {&DeleteObject2, "DeleteObject2"},
                     {&DeleteAnimation3, "DeleteAnimation3"},
                     {&DeleteAnimationIncludeChildren3, "DeleteAnimationIncludeChildren3"}},
                    "Context Editor", "Delete Object");
  N8 = AddMenuItem(MainPopup, "N8", "-", -1, nullptr);
  Refresh2 = AddMenuItem(MainPopup, "Refresh2", "Refresh", kToolRefresh, &TMainForm::RefreshButtonClick);
}

TToolButton* TMainForm::AddToolButton(TToolBar* bar, const char* name, const char* caption, const char* hint,
                                      int image, void (TMainForm::*handler)(TComponent*)) {
  auto* button = new TToolButton(this);
  button->SetName(name);
  button->Caption = caption;
  button->Hint = hint;
  button->ImageIndex = image;
  button->OnClick = MethodEvent(this, handler);
  button->SetToolBar(bar);
  return button;
}

void TMainForm::DefineToolBars() {
  Panel1 = NewControl<TPanel>(this, "Panel1", 0, 13, 235, 22, alTop);
  Panel1->Bevel = false;
  Panel1->SetParent(this);

  ToolBar2 = NewControl<TToolBar>(this, "ToolBar2", 0, 0, 32, 22, alLeft);
  ToolBar2->Flat = true;
  ToolBar2->List = true;
  ToolBar2->ShowCaptions = true;
  ToolBar2->ButtonHeight = 19;
  ToolBar2->ButtonWidth = 28;
  ToolBar2->TabStop = true;
  ToolButton2 = AddToolButton(ToolBar2, "ToolButton2", "File", "", kToolContextEdit, nullptr);
  ToolButton2->DropdownMenu = MainPopup;
  ToolBar2->SetParent(Panel1);

  ToolBar1 = NewControl<TToolBar>(this, "ToolBar1", 32, 0, 203, 22, alClient);
  ToolBar1->Flat = true;
  ToolBar1->List = true;
  ToolBar1->ShowCaptions = false;
  ToolBar1->ButtonWidth = 27;
  ToolBar1->Wrapable = false;
  ToolBar1->Images = ToolImageList;
  ToolBar1->ShowHint = true;
  ToolButton3 = AddToolButton(ToolBar1, "ToolButton3", "", "", kToolDeleteAnimation, nullptr);
  ToolButton3->Style = tbsSeparator;
  EditButton =
      AddToolButton(ToolBar1, "EditButton", "Context Edit", "Show Context Editor For Selected Object",
                    kToolContextEdit, &TMainForm::TreeViewDblClick);
  EditButton->AutoSize = true;
  VisibilityButton = AddToolButton(ToolBar1, "VisibilityButton", "", "Toggle Visibility", kToolVisibility,
                                   &TMainForm::VisibilityButtonClick);
  DeleteButton = AddToolButton(ToolBar1, "DeleteButton", "Delete", "Delete Selected Object", kToolDelete,
                               &TMainForm::DeleteButtonClick);
  DeleteButton->AutoSize = true;
  ToolButton1 = AddToolButton(ToolBar1, "ToolButton1", "", "", kToolDelete, nullptr);
  ToolButton1->Style = tbsSeparator;
  RefreshButton = AddToolButton(ToolBar1, "RefreshButton", "Refresh", "Refresh Scene Tree", kToolRefresh,
                                &TMainForm::RefreshButtonClick);
  RefreshButton->AutoSize = true;
  ToolBar1->SetParent(Panel1);
}

void TMainForm::DefineTreeView() {
  TreeView = NewControl<TQxTreeView>(this, "TreeView", 0, 35, 235, 250, alClient);
  TreeView->ShowRoot = false;
  TreeView->DragMode = dmAutomatic;
  TreeView->HideSelection = false;
  TreeView->Indent = 19;
  TreeView->SortType = stText;
  TreeView->ReadOnly = false;
  TreeView->MaxLabelLength = kMaxLabelLength;  // a longer name would show cut after the next rebuild
  TreeView->SetParentColor(false);
  TreeView->SetImages(GlyphImageList);
  TreeView->SetStateImages(StateImageList);
  TreeView->PopupMenu = ContextPopup;
  TreeView->RightClickSelect = true;
  TreeView->ShowHint = true;
  TreeView->TabOrder = 0;
  TreeView->OnClick = [this](TComponent* sender) { TreeViewClick(sender); };
  TreeView->OnKeyUp = [this](TComponent* sender, WORD& key, TShiftState shift) {
    TreeViewKeyUp(sender, key, shift);
  };
  TreeView->OnDblClick = [this](TComponent* sender) { TreeViewDblClick(sender); };
  TreeView->OnEdited = [this](TComponent* sender, TTreeNode* node, std::string& text) {
    TreeViewEdited(sender, node, text);
  };
  TreeView->OnNodeContextMenu = [this](TComponent* aSender, TTreeNode* aNode, POINT& aPos,
                                       TPopupMenu*& aMenu) {
    TreeViewNodeContextMenu(aSender, aNode, aPos, aMenu);
  };
  TreeView->OnStartDrag = [this](TComponent* sender) { TreeViewStartDrag(sender); };
  TreeView->OnDragOver = [this](TComponent* sender, TComponent* source, int x, int y, TDragState state,
                                bool& accept) { TreeViewDragOver(sender, source, x, y, state, accept); };
  TreeView->OnDragDrop = [this](TComponent* sender, TComponent* source, int x, int y) {
    TreeViewDragDrop(sender, source, x, y);
  };
  TreeView->SetParent(this);
}

// The title bar, the whole tool strip and three rows of the tree below it, the tree's frame and a
// horizontal scroll bar included: a panel sized smaller would hide the very tree it is for.
SIZE TMainForm::MinClientSize() {
  if (!ToolBar1->HandleAllocated() || !TreeView->HandleAllocated()) return SIZE{0, 0};
  RECT lastButton{};
  const HWND commandBar = ToolBar1->Handle();
  const auto buttons = static_cast<int>(SendMessageA(commandBar, TB_BUTTONCOUNT, 0, 0));
  SendMessageA(commandBar, TB_GETITEMRECT, buttons - 1, reinterpret_cast<LPARAM>(&lastButton));
  const HWND tree = TreeView->Handle();
  RECT treeFrame{0, 0, 0, 0};
  AdjustWindowRectEx(&treeFrame, GetWindowLongA(tree, GWL_STYLE), FALSE, GetWindowLongA(tree, GWL_EXSTYLE));
  const auto row = static_cast<int>(SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0));
  return SIZE{ToolBar2->Width() + lastButton.right, PanelTitle->Height() + Panel1->Height() + 3 * row +
                                                        (treeFrame.bottom - treeFrame.top) +
                                                        GetSystemMetrics(SM_CYHSCROLL)};
}

// Host handlers --------------------------------------------------------------------------------------------

void TMainForm::FormCreate(TComponent*) {
  ContextEdit1->Visible = false;
  ContextEditor2->Visible = false;
  EditButton->SetVisible(false);
}

void TMainForm::Tsx1PlugInit() {
  TsxEvents1->SetActive(true);
}

// A failed rebuild still leaves the panel shown; the host must see the plug-in as active.
int TMainForm::Tsx1LeftClick() {
  RunCommand(TPanelCommand::LeftClick, [&] {
    if (!HandleAllocated()) Tsx1->PlaceFormInMainView();  // the host destroyed the view it was in
    if (WindowState() == wsMinimized) SetWindowState(wsNormal);
    if (!Visible()) Show();
    RebuildTree();
  });
  return 1;
}

void TMainForm::Tsx1RightClick() {}

void TMainForm::Tsx1Deactivate() {
  Hide();
}
