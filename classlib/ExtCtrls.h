// Panels: plain painted areas with an optional caption, holding other controls.
#pragma once

#include "Controls.h"

enum TAlignment { taLeftJustify, taCenter, taRightJustify };

class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner) : TWinControl(owner) { ParentFont = true; }

  TAlignment Alignment = taCenter;
  bool Bevel = true;

 protected:
  void CreateParams(TCreateParams& params) override;
  bool OwnerPainted() const override { return true; }
  bool CapturesMouse() const override { return true; }
  void Paint(HDC dc) override;
};
