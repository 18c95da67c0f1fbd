// The floating tool window every panel of the plug-in is built on: its own thin title bar instead of the
// system caption, dragged to move the window, with close buttons at both ends and minimise and maximise
// at the right; a sizing frame; closing while the plug-in is active tells the host.
#pragma once

#include "ActnList.h"
#include "Buttons.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "ImgList.h"

class TTsxFormBase : public TForm {
 public:
  explicit TTsxFormBase(TComponent* owner);

  TPanel* PanelTitle;
  TSpeedButton* tfbCloseButton;
  TPanel* tfbGlyphPanel;
  TSpeedButton* tfbMinimizeButton;
  TSpeedButton* tfbMaximizeButton;
  TSpeedButton* tfbCloseButton2;
  TActionList* tfbActionList;
  TImageList* tfbImageList;
  TAction* tfbActionMinimize;
  TAction* tfbActionMaximize;
  TAction* tfbActionClose;

  void PanelTitleMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void PanelTitleMouseMove(TComponent* sender, TShiftState shift, int x, int y);
  void PanelTitleMouseUp(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void tfbCloseButtonClick(TComponent* sender);
  void tfbMinimizeButtonClick(TComponent* sender);
  void tfbMaximizeButtonClick(TComponent* sender);

  void Created() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void DoClose(TCloseAction& action) override;

 private:
  void DefineBaseForm();
  void DefineTitleBar();
  TAction* AddAction(const char* name, int image, void (TTsxFormBase::*handler)(TComponent*));
  TSpeedButton* AddTitleButton(const char* name, TWinControl* parent, int left, TAction* action, int glyph);
  void ForceLeftClickIfActive();

  bool FDragging = false;
  POINT FDragOrigin{0, 0};  // where the title bar was grabbed, in its own coordinates
};
