// The drawing attributes handed to the extended tree view's custom-draw events: a font and a background
// brush that start as the device context has them, and flags a handler sets. Apply turns whatever the
// handler changed into the answer to the custom-draw notification.
#pragma once

#include <windows.h>
// The common controls header needs the Windows types declared first.
#include <commctrl.h>

#include <memory>

#include "Graphics.h"

class TQxCustomDraw {
 public:
  // The record and the result belong to the notification being answered; defaultFont is the control's.
  TQxCustomDraw(NMCUSTOMDRAW* record, LRESULT& result, const TFont* defaultFont);
  virtual ~TQxCustomDraw() = default;
  TQxCustomDraw(const TQxCustomDraw&) = delete;
  TQxCustomDraw& operator=(const TQxCustomDraw&) = delete;

  virtual void Init(NMCUSTOMDRAW* record, LRESULT& result);
  virtual std::unique_ptr<TFont> MakeFont();
  virtual std::unique_ptr<TBrush> MakeBrush();
  virtual void Apply() = 0;

  // The drawing stage; the numbers are part of the interface, handlers compare against them.
  enum TStage : int {
    stOther = 0,
    stControlPrePaint = 1,
    stControlPostPaint = 2,
    stItemPrePaint = 4,
    stItemPostPaint = 5,
  };
  TStage Stage() const;

  const TFont* DefaultFont() const { return FDefaultFont; }
  TFont* Font() const { return FFont.get(); }
  TBrush* Brush() const { return FBrush.get(); }
  bool FontChanged() const { return FFontChanged; }
  bool BrushChanged() const { return FBrushChanged; }
  NMCUSTOMDRAW* NMCustomDraw() const { return FNMCustomDraw; }
  LRESULT* ResultPtr() const { return FResultPtr; }

  // Ask for item notifications at the control pre-paint stage.
  bool NotifyItems = false;
  // Leave the item undrawn by the control.
  bool SkipDefault = false;
  // The handler wrote the result itself, through ResultPtr.
  bool Handled = false;

 protected:
  const TFont* FDefaultFont;  // not owned
  std::unique_ptr<TFont> FFont;
  bool FFontChanged = false;
  std::unique_ptr<TBrush> FBrush;
  bool FBrushChanged = false;
  NMCUSTOMDRAW* FNMCustomDraw = nullptr;  // not owned: the notification's record
  LRESULT* FResultPtr = nullptr;          // not owned: the notification's result
};

class TQxTvCustomDraw : public TQxCustomDraw {
 public:
  using TQxCustomDraw::TQxCustomDraw;

  NMTVCUSTOMDRAW* TvNMCustomDraw() const { return reinterpret_cast<NMTVCUSTOMDRAW*>(FNMCustomDraw); }
  void Apply() override;

 private:
  void ApplyItemAttributes();
};
