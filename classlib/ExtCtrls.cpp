#include "ExtCtrls.h"

void TPanel::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = "Panel";
}

void TPanel::Paint(HDC dc) {
  RECT r;
  GetClientRect(FHandle, &r);
  if (Bevel) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  if (Caption().empty()) return;
  HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Font().Color()));
  static const UINT horizontal[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  DrawTextA(dc, Caption().c_str(), -1, &r, horizontal[Alignment] | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}
