// Speed buttons: small painted buttons that take no focus, show a glyph, and click on release inside.
#pragma once

#include <windows.h>
// The common controls header needs the Windows types declared first.
#include <commctrl.h>

#include "Controls.h"

class TAction;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TSpeedButton : public TWinControl {
 public:
  explicit TSpeedButton(TComponent* owner) : TWinControl(owner) {}
  ~TSpeedButton() override;

  // Takes the bitmap (and deletes it); the colour of its bottom-left pixel is drawn transparent.
  void SetGlyph(HBITMAP glyph);
  bool HasGlyph() const { return FGlyph != nullptr; }

  TAction* Action() const { return FAction; }
  // A click executes the action instead of raising OnClick.
  void SetAction(TAction* action) { FAction = action; }

  TButtonLayout Layout = blGlyphLeft;
  int Margin = -1;  // -1: glyph and caption centred together
  int Spacing = 4;  // between glyph and caption; -1: spread evenly
  // Lets the parent's colour show where a flat button paints no frame.
  bool Transparent = true;
  bool Flat = false;

  bool Pressed() const { return FPressed && FPointerInside; }

  // Where the glyph's top-left corner goes inside the given area, and where the caption's goes.
  struct TGlyphLayout {
    POINT glyph;
    POINT caption;
  };
  TGlyphLayout CalcLayout(const RECT& area, SIZE caption) const;

 protected:
  void CreateParams(TCreateParams& params) override;
  bool OwnerPainted() const override { return true; }
  bool CapturesMouse() const override { return true; }
  bool ClicksOnRelease() const override { return true; }
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Click() override;
  void ComponentRemoved(TComponent* component) override;

 private:
  void SetPressedState(bool pressed, bool inside);
  SIZE GlyphSize() const;

  HIMAGELIST FGlyph = nullptr;  // owned: the glyph with its transparent colour as mask
  TAction* FAction = nullptr;   // not owned
  bool FPressed = false;
  bool FPointerInside = false;
};
