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
  tfbActionClose = AddAction("tfbActionClose", kTfbClose, &TTsxFormBase::tfbCloseButtonClick);
  tfbActionMinimize = AddAction("tfbActionMinimize", kTfbMinimize, &TTsxFormBase::tfbMinimizeButtonClick);
  tfbActionMaximize = AddAction("tfbActionMaximize", kTfbMaximize, &TTsxFormBase::tfbMaximizeButtonClick);

  DefineTitleBar();
}

void TTsxFormBase::DefineTitleBar() {
  PanelTitle = NewControl<TPanel>(this, "PanelTitle", 0, 0, 505, 13, alTop);
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

  tfbCloseButton = AddTitleButton("tfbCloseButton", PanelTitle, -1, tfbActionClose, kTitleButtonClose);

  tfbGlyphPanel = NewControl<TPanel>(this, "tfbGlyphPanel", 453, 0, 52, 13, alRight);
  tfbGlyphPanel->Bevel = false;
  tfbGlyphPanel->SetColor(clActiveCaption);
  tfbGlyphPanel->SetParent(PanelTitle);

  tfbMinimizeButton =
      AddTitleButton("tfbMinimizeButton", tfbGlyphPanel, 10, tfbActionMinimize, kTitleButtonMinimize);
  tfbMinimizeButton->Layout = blGlyphBottom;
  tfbMinimizeButton->Margin = 0;
  tfbMaximizeButton =
      AddTitleButton("tfbMaximizeButton", tfbGlyphPanel, 24, tfbActionMaximize, kTitleButtonMaximize);
  tfbMaximizeButton->Layout = blGlyphTop;
  tfbMaximizeButton->Margin = 1;
  tfbCloseButton2 = AddTitleButton("tfbCloseButton2", tfbGlyphPanel, 38, tfbActionClose, kTitleButtonClose);
  tfbCloseButton2->Margin = 0;
}

TAction* TTsxFormBase::AddAction(const char* name, int image, void (TTsxFormBase::*handler)(TComponent*)) {
  auto* action = new TAction(this);
  action->SetName(name);
  action->SetActionList(tfbActionList);
  action->ImageIndex = image;
  action->OnExecute = MethodEvent(this, handler);
  return action;
}

// A 14 by 14 button of the title bar, at the top edge of parent, drawing its glyph on an opaque face.
TSpeedButton* TTsxFormBase::AddTitleButton(const char* name, TWinControl* parent, int left, TAction* action,
                                           int glyph) {
  auto* button = new TSpeedButton(this);
  button->SetName(name);
  button->SetBounds(left, -1, 14, 14);
  button->SetAction(action);
  button->SetGlyph(CreateTitleButtonGlyph(glyph));
  button->Spacing = 0;
  button->Transparent = false;
  button->SetParent(parent);
  return button;
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
