#include "Main.h"

#include "Application.h"
#include "Glyphs.h"

TMainForm* MainForm = nullptr;

namespace {
TForm* CreateMainForm(TComponent* owner) { return MainForm = CreateForm<TMainForm>(owner); }

// Registered at load; the form itself is made at the host's first call.
const bool MainFormRegistered = (RegisterMainFormFactory(&CreateMainForm), true);
}  // namespace

TMainForm::TMainForm(TComponent* owner) : TForm(owner) { DefineForm(); }

void TMainForm::DefineForm() {
  SetName("MainForm");
  BorderStyle = bsNone;
  SetCaption("Quillon 1.1");
  SetBounds(283, 134, 243, 299);
  SetColor(clBtnFace);
  Font() = TFont("MS Sans Serif", -11, clWindowText);

  Tsx1 = new TTsx(this);
  Tsx1->SetName("Tsx1");
  Tsx1->OnPlugInit = [this] { Tsx1PlugInit(); };
  Tsx1->OnLeftClick = [this] { return Tsx1LeftClick(); };
  Tsx1->OnRightClick = [this] { Tsx1RightClick(); };
  Tsx1->OnDeactivate = [this] { Tsx1Deactivate(); };
  Tsx1->Title = DefaultPlugTitle;
  Tsx1->Author = PlugMakerName;
  Tsx1->ResBmpId = 100;
  Tsx1->ResStringId = 0;
  Tsx1->ApiVersionNeeded = 500;

  GlyphImageList = new TImageList(this);
  GlyphImageList->SetName("GlyphImageList");
  GlyphImageList->SetHandle(CreateGlyphImageList());
  ToolImageList = new TImageList(this);
  ToolImageList->SetName("ToolImageList");
  ToolImageList->SetHandle(CreateToolImageList());
  StateImageList = new TImageList(this);
  StateImageList->SetName("StateImageList");
  StateImageList->SetHandle(CreateStateImageList());

  TreeView = new TCustomTreeView(this);
  TreeView->SetName("TreeView");
  TreeView->SetBounds(0, 22, 235, 250);
  TreeView->SetAlign(alClient);
  TreeView->ShowRoot = false;
  TreeView->DragMode = dmAutomatic;
  TreeView->HideSelection = false;
  TreeView->Indent = 19;
  TreeView->SortType = stText;
  TreeView->ReadOnly = false;
  TreeView->SetParentColor(false);
  TreeView->SetImages(GlyphImageList);
  TreeView->SetStateImages(StateImageList);
  TreeView->RightClickSelect = true;
  TreeView->ShowHint = true;
  TreeView->TabOrder = 0;
  TreeView->SetParent(this);
}

// Host handlers --------------------------------------------------------------------------------------------

void TMainForm::Tsx1PlugInit() {}

int TMainForm::Tsx1LeftClick() {
  try {
    if (WindowState() == wsMinimized) SetWindowState(wsNormal);
    if (!Visible()) Show();
    RebuildTree();
  } catch (...) {
    // A failed rebuild still leaves the panel shown; the host must see the plug-in as active.
  }
  return 1;
}

void TMainForm::Tsx1RightClick() {}

void TMainForm::Tsx1Deactivate() { Hide(); }
