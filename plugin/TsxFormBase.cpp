#include "TsxFormBase.h"

#include "Glyphs.h"
#include "HostCall.h"
#include "tsxPlug.h"

namespace {
const char* const kTitleIndent = "      ";
}

TTsxFormBase::TTsxFormBase(TComponent* owner) : TForm(owner) {
  DefineBaseForm();
}

// The actions and their pictures come first: the buttons refer to them, and components go in reverse order
// of creation, so no button outlives its action.
void TTsxFormBase::DefineBaseForm() {
  SetName("TsxFormBase");
  BorderStyle = bsNone;
  BorderIcons = 0;
  SetCaption("TsxFormBase");
  SetBounds(224, 111, Width(), Height());
  SetClientSize(505, 183);
  SetColor(clBtnFace);
  Font() = TFont("MS Sans Serif", -11, clWindowText);
  PixelsPerInch = 96;

  tfbImageList = new TImageList(this);
  tfbImageList->SetName("tfbImageList");
  tfbImageList->SetHandle(CreateTfbImageList());

  tfbActionList = new TActionList(this);
  tfbActionList->SetName("tfbActionList");
  tfbActionList->Images = tfbImageList;

  tfbActionClose = new TAction(this);
  tfbActionClose->SetName("tfbActionClose");
  tfbActionClose->SetActionList(tfbActionList);
  tfbActionClose->ImageIndex = 0;
  tfbActionClose->OnExecute = [this](TComponent* sender) { tfbCloseButtonClick(sender); };

  tfbActionMinimize = new TAction(this);
  tfbActionMinimize->SetName("tfbActionMinimize");
  tfbActionMinimize->SetActionList(tfbActionList);
  tfbActionMinimize->ImageIndex = 1;
  tfbActionMinimize->OnExecute = [this](TComponent* sender) { tfbMinimizeButtonClick(sender); };

  tfbActionMaximize = new TAction(this);
  tfbActionMaximize->SetName("tfbActionMaximize");
  tfbActionMaximize->SetActionList(tfbActionList);
  tfbActionMaximize->ImageIndex = 2;
  tfbActionMaximize->OnExecute = [this](TComponent* sender) { tfbMaximizeButtonClick(sender); };

  PanelTitle = new TPanel(this);
  PanelTitle->SetName("PanelTitle");
  PanelTitle->SetBounds(0, 0, 505, 13);
  PanelTitle->SetAlign(alTop);
  PanelTitle->Bevel = false;
  PanelTitle->SetCaption(std::string(kTitleIndent) + "TsxFormBase");
  PanelTitle->Alignment = taLeftJustify;
  PanelTitle->SetColor(clActiveCaption);
  PanelTitle->ParentFont = false;
  PanelTitle->Font() = TFont("Arial", -9, clCaptionText);
  PanelTitle->OnDblClick = [this](TComponent* sender) { tfbMaximizeButtonClick(sender); };
  PanelTitle->OnMouseDown = [this](TComponent* sender, TMouseButton button, TShiftState shift, int x, int y) {
    PanelTitleMouseDown(sender, button, shift, x, y);
  };
  PanelTitle->OnMouseMove = [this](TComponent* sender, TShiftState shift, int x, int y) {
    PanelTitleMouseMove(sender, shift, x, y);
  };
  PanelTitle->OnMouseUp = [this](TComponent* sender, TMouseButton button, TShiftState shift, int x, int y) {
    PanelTitleMouseUp(sender, button, shift, x, y);
  };
  PanelTitle->SetParent(this);

  tfbCloseButton = new TSpeedButton(this);
  tfbCloseButton->SetName("tfbCloseButton");
  tfbCloseButton->SetBounds(-1, -1, 14, 14);
  tfbCloseButton->SetAction(tfbActionClose);
  tfbCloseButton->SetGlyph(CreateTitleButtonGlyph(kTitleButtonClose));
  tfbCloseButton->Spacing = 0;
  tfbCloseButton->Transparent = false;
  tfbCloseButton->SetParent(PanelTitle);

  tfbGlyphPanel = new TPanel(this);
  tfbGlyphPanel->SetName("tfbGlyphPanel");
  tfbGlyphPanel->SetBounds(453, 0, 52, 13);
  tfbGlyphPanel->SetAlign(alRight);
  tfbGlyphPanel->Bevel = false;
  tfbGlyphPanel->SetColor(clActiveCaption);
  tfbGlyphPanel->SetParent(PanelTitle);

  tfbMinimizeButton = new TSpeedButton(this);
  tfbMinimizeButton->SetName("tfbMinimizeButton");
  tfbMinimizeButton->SetBounds(10, -1, 14, 14);
  tfbMinimizeButton->SetAction(tfbActionMinimize);
  tfbMinimizeButton->SetGlyph(CreateTitleButtonGlyph(kTitleButtonMinimize));
  tfbMinimizeButton->Layout = blGlyphBottom;
  tfbMinimizeButton->Margin = 0;
  tfbMinimizeButton->Spacing = 0;
  tfbMinimizeButton->Transparent = false;
  tfbMinimizeButton->SetParent(tfbGlyphPanel);

  tfbMaximizeButton = new TSpeedButton(this);
  tfbMaximizeButton->SetName("tfbMaximizeButton");
  tfbMaximizeButton->SetBounds(24, -1, 14, 14);
  tfbMaximizeButton->SetAction(tfbActionMaximize);
  tfbMaximizeButton->SetGlyph(CreateTitleButtonGlyph(kTitleButtonMaximize));
  tfbMaximizeButton->Layout = blGlyphTop;
  tfbMaximizeButton->Margin = 1;
  tfbMaximizeButton->Spacing = 0;
  tfbMaximizeButton->Transparent = false;
  tfbMaximizeButton->SetParent(tfbGlyphPanel);

  tfbCloseButton2 = new TSpeedButton(this);
  tfbCloseButton2->SetName("tfbCloseButton2");
  tfbCloseButton2->SetBounds(38, -1, 14, 14);
  tfbCloseButton2->SetAction(tfbActionClose);
  tfbCloseButton2->SetGlyph(CreateTitleButtonGlyph(kTitleButtonClose));
  tfbCloseButton2->Margin = 0;
  tfbCloseButton2->Spacing = 0;
  tfbCloseButton2->Transparent = false;
  tfbCloseButton2->SetParent(tfbGlyphPanel);
}

// Only now is the derived definition's caption known; later caption changes leave the title bar alone.
void TTsxFormBase::Created() {
  PanelTitle->SetCaption(kTitleIndent + Caption());
  TForm::Created();
}

// No caption of the system's, but a thin frame the user can size the window by.
void TTsxFormBase::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.Style |= WS_BORDER | WS_THICKFRAME;
}

void TTsxFormBase::DoClose(TCloseAction& action) {
  ForceLeftClickIfActive();
  TForm::DoClose(action);
}

// The host keeps its plug-in button pressed while the plug-in is active; closing the window must release it.
void TTsxFormBase::ForceLeftClickIfActive() {
  if (PlugShuttingDown || !PlugActive || !HostForceLeftClick) return;
  HostCall(HostForceLeftClick, PlugId);
}

void TTsxFormBase::PanelTitleMouseDown(TComponent*, TMouseButton, TShiftState, int x, int y) {
  FDragging = true;
  FDragOrigin = POINT{x, y};
}

// The bar travels with the window, so the grabbed point stays under the pointer.
void TTsxFormBase::PanelTitleMouseMove(TComponent*, TShiftState, int x, int y) {
  if (!FDragging) return;
  MoveWindow(Handle(), Left() + x - FDragOrigin.x, Top() + y - FDragOrigin.y, Width(), Height(), TRUE);
}

void TTsxFormBase::PanelTitleMouseUp(TComponent*, TMouseButton, TShiftState, int, int) {
  FDragging = false;
}

void TTsxFormBase::tfbCloseButtonClick(TComponent*) {
  Close();
}

void TTsxFormBase::tfbMinimizeButtonClick(TComponent*) {
  SetWindowState(wsMinimized);
}

void TTsxFormBase::tfbMaximizeButtonClick(TComponent*) {
  SetWindowState(WindowState() == wsMaximized ? wsNormal : wsMaximized);
}
